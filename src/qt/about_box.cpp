#include "qt/about_box.h"

#include <QHBoxLayout>
#include <QProcess>
#include <QVBoxLayout>
#include <cstdlib>

#include "model/version.h"
#include "qt/app_icon.h"
#include "qt/qt_text.h"
#include "ui/system_info.h"

namespace kv {

KVfrmAbout::KVfrmAbout(Host& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("KVfrmAbout");
    setWindowTitle(ToQt(std::string(kAppTitle) + "のﾊﾞｰｼﾞｮﾝ情報"));
    setModal(false);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(AppIconPixmap(48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* text = new QVBoxLayout;
    auto* title = AddLabel("lblTitle", ToQt(kAppTitle));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    text->addWidget(title);
    text->addWidget(AddLabel("lblVersion", ToQt("ﾊﾞｰｼﾞｮﾝ " + VersionText())));
    text->addWidget(AddLabel("lblDisclaimer", QString()));
    text->addWidget(
        AddLabel("lblDescription", ToQt("Korvinth プロジェクト: 平面幾何の作図プログラム")));
    text->addWidget(AddLabel("Label1", ToQt("点・直線・円・数値を作図の手続きで組み立て,")));
    text->addWidget(
        AddLabel("Label2", ToQt("自由な点を動かすと,図全体が関係を保ったまま変形します。")));
    text->addWidget(AddLabel("Label3", ToQt("作図データはテキストの図形ファイルに保存できます。")));
    text->addWidget(AddLabel("Label4", ToQt("このバージョンは開発途上です。")));

    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addLayout(text, 1);

    auto* cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    auto* command1 = new QPushButton(ToQt("システム情報"), this);
    command1->setObjectName("Command1");
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::hide);
    connect(command1, &QPushButton::clicked, this, &KVfrmAbout::StartSystemInfo);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(command1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

QLabel* KVfrmAbout::AddLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    return label;
}

void KVfrmAbout::StartSystemInfo() {
    const char* path = std::getenv("PATH");
    const std::string program = FindOnPath(path ? path : "", SystemInfoCandidates());
    if (program.empty() || !QProcess::startDetached(QString::fromStdString(program), {})) {
        host_.Message(kNoSystemInfoMessage);
    }
}

}  // namespace kv
