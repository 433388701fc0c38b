#include "platform/vcl/Dialogs.h"

#include "platform/vcl/FormReader.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/rtl/Charset.h"
#include "platform/vcl/Forms.h"
#include "platform/win/QtApp.h"

namespace zel {

namespace {

TMessageBoxAnswerer& BoxAnswerer() {
    static TMessageBoxAnswerer a;
    return a;
}

TFileDialogAnswerer& FileAnswerer() {
    static TFileDialogAnswerer a;
    return a;
}

bool Headless() {
    EnsureQtApplication();
    const QString p = QGuiApplication::platformName();
    return p == "offscreen" || p == "minimal";
}

QString ToQ(const std::string& ansi) { return QString::fromStdString(AnsiToUtf8(ansi)); }
std::string FromQ(const QString& s) { return Utf8ToAnsi(s.toStdString()); }

// The answers of a box's buttons in the order Windows shows them.
std::vector<int> ButtonsOf(UINT flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        default: return {IDOK};
    }
}

std::string CaptionOf(int button) {
    switch (button) {
        case IDCANCEL: return "Cancel";
        case IDABORT: return "&Abort";
        case IDRETRY: return "&Retry";
        case IDIGNORE: return "&Ignore";
        case IDYES: return "&Yes";
        case IDNO: return "&No";
        default: return "OK";
    }
}

// Shows a box with the given buttons (their answers, in order); answers the pressed one.
int ShowBox(const TMessageBoxRequest& request) {
    CancelModeForModalLoop();
    const std::vector<int>& buttons = request.Buttons;
    std::size_t def = (request.Flags & MB_DEFMASK) >> 8;
    if (def >= buttons.size()) def = 0;
    if (BoxAnswerer()) {
        TMessageBoxAnswerer answerer = BoxAnswerer();
        return answerer(request);
    }
    if (Headless()) {
        std::fprintf(stderr, "[message box] %s: %s\n", request.Caption.c_str(), request.Text.c_str());
        return buttons[def];
    }
    QMessageBox box;
    // Above every window of the program, a stay-on-top one (the intro) included.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(ToQ(request.Caption));
    box.setText(ToQ(request.Text));
    switch (request.Flags & MB_ICONMASK) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    std::vector<std::pair<QPushButton*, int>> made;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QMessageBox::ButtonRole role = buttons[i] == IDCANCEL ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton* b = box.addButton(QString::fromStdString(CaptionOf(buttons[i])), role);
        made.emplace_back(b, buttons[i]);
        if (i == def) box.setDefaultButton(b);
    }
    // The program's own popups (the intro above all) bypass the window manager, which therefore stacks the
    // box under them, out of sight: they step down while the box shows and come back up after it.
    std::vector<QPointer<QWidget>> lowered;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &box && w->isVisible() && w->windowFlags().testFlag(Qt::BypassWindowManagerHint)) {
            w->lower();
            lowered.emplace_back(w);
        }
    box.exec();
    for (const QPointer<QWidget>& w : lowered)
        if (w && w->isVisible()) w->raise();
    for (auto& [b, id] : made)
        if (box.clickedButton() == b) return id;
    // Closed by its window button: Cancel when there is one, else the only button.
    for (auto& [b, id] : made)
        if (id == IDCANCEL) return id;
    return made.size() == 1 ? made.front().second : IDCANCEL;
}

}  // namespace

TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer Answerer) {
    TMessageBoxAnswerer old = std::move(BoxAnswerer());
    BoxAnswerer() = std::move(Answerer);
    return old;
}

TFileDialogAnswerer SetFileDialogAnswerer(TFileDialogAnswerer Answerer) {
    TFileDialogAnswerer old = std::move(FileAnswerer());
    FileAnswerer() = std::move(Answerer);
    return old;
}

int ShowMessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
    return ShowBox(TMessageBoxRequest{Text, Caption, Flags, 0, ButtonsOf(Flags)});
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    static const char* captions[] = {"Warning", "Error", "Information", "Confirm", nullptr};
    static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
    // The buttons asked for, in the dialog's order; those without an answer of their own are left out.
    std::vector<int> asked;
    for (const auto& [button, answer] :
         {std::pair{mbYes, IDYES}, std::pair{mbNo, IDNO}, std::pair{mbOK, IDOK}, std::pair{mbCancel, IDCANCEL},
          std::pair{mbAbort, IDABORT}, std::pair{mbRetry, IDRETRY}, std::pair{mbIgnore, IDIGNORE}})
        if (Buttons.Contains(button)) asked.push_back(answer);
    if (asked.empty()) asked.push_back(IDOK);
    // The Windows choice with exactly these buttons, in its own order; none: the buttons as asked.
    UINT type = MB_OK;
    std::vector<int> shown = asked;
    for (UINT t : {MB_OK, MB_OKCANCEL, MB_ABORTRETRYIGNORE, MB_YESNOCANCEL, MB_YESNO, MB_RETRYCANCEL}) {
        std::vector<int> sorted = ButtonsOf(t);
        std::sort(sorted.begin(), sorted.end());
        std::vector<int> wanted = asked;
        std::sort(wanted.begin(), wanted.end());
        if (sorted != wanted) continue;
        type = t;
        shown = ButtonsOf(t);
        break;
    }
    const char* caption = captions[DlgType];
    std::string title = caption != nullptr ? caption : (Application != nullptr ? Application->Title : "");
    return ShowBox(TMessageBoxRequest{Msg, title, type | icons[DlgType], HelpCtx, shown});
}

// ------------------------------------------------------------------------------------------- TOpenDialog

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner), files_(new TStringList) {}

TOpenDialog::~TOpenDialog() { delete files_; }

bool TOpenDialog::Execute() {
    CancelModeForModalLoop();
    files_->Clear();
    bool ok = false;
    if (FileAnswerer()) {
        TFileDialogAnswerer answerer = FileAnswerer();
        ok = answerer(*this);
    } else if (Headless()) {
        std::fprintf(stderr, "[file dialog] %s\n", Title.c_str());
        ok = false;
    } else {
        // "Syx file|*.Syx|All|*.*" becomes "Syx file (*.Syx);;All (*.*)".
        QStringList filters;
        QStringList parts = ToQ(Filter).split('|');
        for (int i = 0; i + 1 < parts.size(); i += 2)
            filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
        QFileDialog dialog(nullptr, ToQ(Title), ToQ(InitialDir));
        dialog.setNameFilters(filters);
        if (FilterIndex >= 1 && FilterIndex <= filters.size()) dialog.selectNameFilter(filters[FilterIndex - 1]);
        dialog.setAcceptMode(save_ ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save_                                  ? QFileDialog::AnyFile
                           : Options.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                                                                  : QFileDialog::ExistingFile);
        if (!DefaultExt.empty()) dialog.setDefaultSuffix(ToQ(DefaultExt));
        if (!save_ || !Options.Contains(ofOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!FileName.empty()) dialog.selectFile(ToQ(FileName));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            FileName = FromQ(dialog.selectedFiles().front());
            ok = true;
        }
    }
    if (ok) files_->Add(FileName);
    return ok;
}

// ------------------------------------------------------------------------------------------- form classes

void RegisterDialogsClasses() {
    auto dialogTable = [](auto table) {
        using D = TOpenDialog;
        table.Str("DefaultExt", [](D& c, const std::string& v) { c.DefaultExt = v; })
            .Str("FileName", [](D& c, const std::string& v) { c.FileName = v; })
            .Str("Filter", [](D& c, const std::string& v) { c.Filter = v; })
            .Int("FilterIndex", [](D& c, int v) { c.FilterIndex = v; })
            .Str("InitialDir", [](D& c, const std::string& v) { c.InitialDir = v; })
            .Str("Title", [](D& c, const std::string& v) { c.Title = v; })
            .Custom("Options", [](D& c, const TFormValue& v, TReadContext& ctx) {
                c.Options = ReadSet<TOpenOption>(v, ctx,
                                                 {{"ofReadOnly", ofReadOnly},
                                                  {"ofOverwritePrompt", ofOverwritePrompt},
                                                  {"ofHideReadOnly", ofHideReadOnly},
                                                  {"ofNoChangeDir", ofNoChangeDir},
                                                  {"ofShowHelp", ofShowHelp},
                                                  {"ofNoValidate", ofNoValidate},
                                                  {"ofAllowMultiSelect", ofAllowMultiSelect},
                                                  {"ofExtensionDifferent", ofExtensionDifferent},
                                                  {"ofPathMustExist", ofPathMustExist},
                                                  {"ofFileMustExist", ofFileMustExist},
                                                  {"ofCreatePrompt", ofCreatePrompt},
                                                  {"ofShareAware", ofShareAware},
                                                  {"ofNoReadOnlyReturn", ofNoReadOnlyReturn},
                                                  {"ofNoTestFileCreate", ofNoTestFileCreate},
                                                  {"ofEnableSizing", ofEnableSizing}});
            });
    };
    dialogTable(RegisterComponent<TOpenDialog>("TOpenDialog", "TComponent"));
    RegisterComponent<TSaveDialog>("TSaveDialog", "TOpenDialog");
}

}  // namespace zel
