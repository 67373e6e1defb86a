#pragma once
// Everything the interaction logic asks of the platform: dialogs, the beep, the clock, and
// the windows that show results. The Qt window implements it with real widgets; tests use a
// scripted fake.

#include <optional>
#include <string>

#include "model/version.h"
#include "ui/attribute_dialog_view.h"
#include "ui/number_dialog_view.h"
#include "ui/status_view.h"

namespace kv {

class Host {
  public:
    virtual ~Host() = default;

    // A modal message with an OK button; the caption is the application title by default.
    virtual void Message(const std::string& prompt, const std::string& title = kAppTitle) = 0;
    // A modal one-line input box; nullopt when the user cancelled (an empty answer given with
    // OK is an empty string).
    virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                                const std::string& proposed) = 0;
    virtual void Beep() = 0;

    // File dialogs; nullopt when cancelled. The open dialog accepts only an existing file, the
    // save dialog asks before overwriting one.
    virtual std::optional<std::string> OpenFileName() = 0;
    virtual std::optional<std::string> SaveFileName() = 0;

    // Caption, status panels, check marks and menu enabling.
    virtual void ShowStatus(const StatusView& status) = 0;
    // Status panel 4: the kind and name of the candidate of a pick ("" when none).
    virtual void ShowPickStatus(const std::string& text) = 0;
    // The modeless number dialog, filled afresh; its buttons answer through the handlers of
    // ui/number_dialog.h.
    virtual void ShowNumberDialog(const NumberDialogView& view) = 0;
    // Hides the number dialog without an answer: the construction that asked has ended.
    virtual void HideNumberDialog() = 0;
    // The modeless text viewer, emptied and filled with the text (lines end in CR LF).
    virtual void ShowTextViewer(const std::string& text) = 0;
    // The modeless version window.
    virtual void ShowAbout() = 0;

    // Seconds since midnight, with fractions.
    virtual double TimeOfDay() = 0;

    // Point binding and the New command.
    // The modeless binding dialog "種類の選択" with item `kind` (0..3) of its list selected, or
    // none for -1; its buttons answer through the handlers of ui/binding.h.
    virtual void ShowBindingDialog(int kind) = 0;
    // Hides the binding dialog without an answer: the binding command has ended.
    virtual void HideBindingDialog() = 0;
    // The modeless confirmation of New; its buttons answer through ui/new_figure.h.
    virtual void ShowNewConfirmation() = 0;
    // Attribute dialogs: the modeless dialog of the view's kind (1 point, 2 line, 3 circle),
    // filled afresh and shown; its buttons answer through the handlers of ui/attributes.h,
    // which hide it again.
    virtual void ShowAttributeDialog(const AttributeDialogView& view) = 0;
    virtual void HideAttributeDialog(i16 kind) = 0;
};

}  // namespace kv
