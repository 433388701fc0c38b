#include "platform/vcl/Dialogs.h"

#include "platform/vcl/FormReader.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

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

// The buttons of a box in the order Windows shows them, with their answers.
std::vector<std::pair<std::string, int>> ButtonsOf(UINT flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_OKCANCEL: return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
        case MB_ABORTRETRYIGNORE: return {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}};
        case MB_YESNOCANCEL: return {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
        case MB_YESNO: return {{"&Yes", IDYES}, {"&No", IDNO}};
        case MB_RETRYCANCEL: return {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}};
        default: return {{"OK", IDOK}};
    }
}

QString ToQ(const std::string& ansi) { return QString::fromStdString(AnsiToUtf8(ansi)); }
std::string FromQ(const QString& s) { return Utf8ToAnsi(s.toStdString()); }

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
    CancelModeForModalLoop();
    auto buttons = ButtonsOf(Flags);
    std::size_t def = (Flags & MB_DEFMASK) >> 8;
    if (def >= buttons.size()) def = 0;
    if (BoxAnswerer()) {
        TMessageBoxAnswerer answerer = BoxAnswerer();
        return answerer(TMessageBoxRequest{Text, Caption, Flags, 0});
    }
    if (Headless()) {
        std::fprintf(stderr, "[message box] %s: %s\n", Caption.c_str(), Text.c_str());
        return buttons[def].second;
    }
    QMessageBox box;
    // Above every window of the program, a stay-on-top one (the intro) included.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(ToQ(Caption));
    box.setText(ToQ(Text));
    switch (Flags & MB_ICONMASK) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    std::vector<std::pair<QPushButton*, int>> made;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QMessageBox::ButtonRole role =
            buttons[i].second == IDCANCEL ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton* b = box.addButton(QString::fromStdString(buttons[i].first), role);
        made.emplace_back(b, buttons[i].second);
        if (i == def) box.setDefaultButton(b);
    }
    box.exec();
    for (auto& [b, id] : made)
        if (box.clickedButton() == b) return id;
    // Closed by its window button: Cancel when there is one, else the only button.
    for (auto& [b, id] : made)
        if (id == IDCANCEL) return id;
    return made.size() == 1 ? made.front().second : IDCANCEL;
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    static const char* captions[] = {"Warning", "Error", "Information", "Confirm", nullptr};
    static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
    UINT type = MB_OK;
    const bool yes = Buttons.Contains(mbYes), no = Buttons.Contains(mbNo), cancel = Buttons.Contains(mbCancel);
    if (yes && no && cancel) type = MB_YESNOCANCEL;
    else if (yes && no) type = MB_YESNO;
    else if (Buttons.Contains(mbAbort) || Buttons.Contains(mbIgnore)) type = MB_ABORTRETRYIGNORE;
    else if (Buttons.Contains(mbRetry)) type = MB_RETRYCANCEL;
    else if (Buttons.Contains(mbOK) && cancel) type = MB_OKCANCEL;
    const char* caption = captions[DlgType];
    std::string title = caption != nullptr ? caption : (Application != nullptr ? Application->Title : "");
    TMessageBoxRequest request{Msg, title, type | icons[DlgType], HelpCtx};
    CancelModeForModalLoop();
    if (BoxAnswerer()) {
        TMessageBoxAnswerer answerer = BoxAnswerer();
        return answerer(request);
    }
    return ShowMessageBox(Msg, title, request.Flags);
}

void ShowMessage(const std::string& Msg) {
    ShowMessageBox(Msg, Application != nullptr ? Application->Title : "", MB_OK);
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
