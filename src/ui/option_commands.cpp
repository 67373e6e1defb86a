#include "ui/option_commands.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/number_text.h"
#include "render/view_transform.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {
namespace {

double AnswerValue(std::string_view answer) {
    const double v = LeadingNumber(answer);
    return std::isnan(v) ? 0.0 : v;
}

int WholeClamped(double v, int lo, int hi) {
    return static_cast<int>(std::clamp(std::floor(v), double(lo), double(hi)));
}

}  // namespace

int PenWidthFromAnswer(std::string_view answer) {
    return WholeClamped(AnswerValue(answer), 1, 10);
}

int FontSizeFromAnswer(std::string_view answer) {
    return WholeClamped(std::clamp(AnswerValue(answer), 6.0, 100.0), 6, 100);
}

i16 DigitsFromAnswer(std::string_view answer) {
    return static_cast<i16>(WholeClamped(AnswerValue(answer), 0, 20));
}

void mnuOchrDisp_Click(App& app, Host& host) {
    app.view.LabelsHidden = static_cast<i16>(~app.view.LabelsHidden);
    RefreshStatus(app, host);
}

void mnuOAxis_Click(App& app, Host& host, Surface& surface) {
    ToggleAxes(app.view, surface);
    RefreshStatus(app, host);
}

void mnuWidth_Click(App& app, Host& host, Surface& surface) {
    const auto answer = host.InputBox("1から10までの数値を入力してください", "線の太さの設定",
                                      std::to_string(app.view.PenWidth));
    if (!answer) return;
    app.view.PenWidth = PenWidthFromAnswer(*answer);
    FullRedraw(app, host, surface);
}

void mnuFont_Click(App& app, Host& host, Surface& surface) {
    const auto answer = host.InputBox("フォントの大きさを入力してください", "フォントサイズの設定",
                                      std::to_string(app.view.FontSize));
    if (!answer) return;
    app.view.FontSize = FontSizeFromAnswer(*answer);
    FullRedraw(app, host, surface);
}

void mnuKeta_Click(App& app, Host& host, Surface& surface) {
    const auto answer = host.InputBox("測定値の小数点以下の表示桁数を入力してください",
                                      "表示桁数の設定", std::to_string(app.view.MeasureDigits));
    if (!answer) return;
    app.view.MeasureDigits = DigitsFromAnswer(*answer);
    FullRedraw(app, host, surface);
}

void mnuSmooth_Click(App& app, Host& host, Surface& surface) {
    app.view.Smooth = !app.view.Smooth;
    FullRedraw(app, host, surface);
}

}  // namespace kv
