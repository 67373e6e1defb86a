#pragma once
// KVfrmAbout: the modeless version window.

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "ui/host.h"

namespace kv {

inline constexpr const char* kNoSystemInfoMessage = "現時点ではｼｽﾃﾑ情報を使用できません";

class KVfrmAbout : public QDialog {
    Q_OBJECT
  public:
    // Messages go through the host, so the window never blocks a test.
    KVfrmAbout(Host& host, QWidget* parent = nullptr);

    // "システム情報": starts the desktop's system-information program, or says there is none.
    void StartSystemInfo();

  private:
    QLabel* AddLabel(const char* name, const QString& text);

    Host& host_;
};

}  // namespace kv
