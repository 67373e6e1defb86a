#include "qt/run_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "model/version.h"
#include "qt/app_icon.h"
#include "qt/kv_win.h"

namespace kv {

int RunWindow(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setWindowIcon(AppIcon());
    // Ties the window to the installed launcher (korvinth.desktop) for the task bar's icon.
    QApplication::setDesktopFileName(QStringLiteral("korvinth"));

    // Qt's own buttons and dialogs (キャンセル, ファイルを開く, ...) speak the program's language.
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtbase);
    }

    // QApplication has taken its own options out; the rest is the figure file.
    QStringList rest = QApplication::arguments();
    if (!rest.isEmpty()) rest.removeFirst();

    KVwin window;
    window.Start(rest.join(' ').toStdString());
    window.show();
    return QApplication::exec();
}

}  // namespace kv
