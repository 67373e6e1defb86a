#include "cli/offscreen_gui.h"

#include <QString>
#include <cstdio>

namespace kv {

namespace {

// Qt's start-up notices (a missing runtime folder and the like) would make a command's stderr
// more than its one line; only Qt's critical and fatal messages are passed on.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "korvinth: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

OffscreenGui::OffscreenGui() : previousHandler_(qInstallMessageHandler(QuietQtMessages)) {
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

OffscreenGui::~OffscreenGui() {
    app_.reset();
    qInstallMessageHandler(previousHandler_);
}

}  // namespace kv
