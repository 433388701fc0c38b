#pragma once
// Message boxes with the Windows button and icon choices, the message dialog, and the open and save file
// dialogs. Tests install answerers so that no dialog ever waits for a user; without an answerer on the
// headless platform a box answers its default button and a file dialog is cancelled.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/StringList.h"
#include "platform/win/WinTypes.h"

namespace zel {

// MessageBox buttons, icons and default buttons, with their Windows values.
constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
               MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
               MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40,
               MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00;
constexpr UINT MB_APPLMODAL = 0x0000, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// One message box as it would be shown.
struct TMessageBoxRequest {
    std::string Text;
    std::string Caption;
    UINT Flags = 0;       // MB_* buttons, icon and default button
    int HelpContext = 0;  // of a message dialog
    // The ID* answers of the buttons shown, in their order: those of the MB_* buttons, or those a message
    // dialog asked for when no MB_* choice has exactly them (OK and Retry).
    std::vector<int> Buttons;
};
// Answers a box with the ID* of the pressed button.
using TMessageBoxAnswerer = std::function<int(const TMessageBoxRequest&)>;
// Installs an answerer (an empty one: the real boxes again); answers the previous one.
TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer Answerer);

// A Windows message box: answers IDOK, IDCANCEL, IDYES...
int ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
// The message dialog: the caption follows the type ("Warning", "Error", "Information", "Confirm", or the
// application's title), and the box has exactly the buttons asked for (OK and Retry are OK and Retry);
// answers mrOk, mrCancel, mrYes...
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

// ---------------------------------------------------------------------------------------- file dialogs

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    std::string ClassName() const override { return "TOpenDialog"; }

    // Shows the dialog; true and FileName (and Files) set when the user chose a file.
    virtual bool Execute();
    bool IsSaveDialog() const { return save_; }

    std::string FileName;
    std::string Filter;  // "Syx file|*.Syx|All files|*.*"
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string InitialDir;
    std::string Title;
    TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
    TStringList* Files() const { return files_; }

protected:
    bool save_ = false;

private:
    TStringList* files_ = nullptr;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) { save_ = true; }
    std::string ClassName() const override { return "TSaveDialog"; }
};

// Answers a file dialog instead of the user: sets Dialog.FileName and answers true, or answers false.
using TFileDialogAnswerer = std::function<bool(TOpenDialog& Dialog)>;
TFileDialogAnswerer SetFileDialogAnswerer(TFileDialogAnswerer Answerer);

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterDialogsClasses();

}  // namespace zel
