#include "platform/vcl/HtmlHelp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdint>

#include "platform/win/QtApp.h"
#include "platform/win/Windows.h"

namespace zel {

namespace {

constexpr const char* ContentsPage = "index.htm";

QString PathToQ(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string PathFromQ(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The help window: a rich-text browser alone in a top-level window, with a message-only window standing
// for it towards the callers (WM_CLOSE hides it).
struct THelpWindow {
    QPointer<QWidget> window;
    QTextBrowser* browser = nullptr;
    HWND handle = nullptr;
};

THelpWindow& Help() {
    static THelpWindow help;
    return help;
}

void CloseHelpWindow() {
    THelpWindow& help = Help();
    if (help.window) delete help.window.data();
    help.browser = nullptr;
    if (help.handle != nullptr) {
        HWND handle = help.handle;
        help.handle = nullptr;
        DeallocateHWnd(handle);
    }
}

HWND ShowPage(const QString& page) {
    EnsureQtApplication();
    THelpWindow& help = Help();
    if (!help.window) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->resize(640, 520);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        help.browser = new QTextBrowser(window);
        help.browser->setOpenExternalLinks(false);
        layout->addWidget(help.browser);
        QObject::connect(help.browser, &QTextBrowser::sourceChanged, window, [window](const QUrl&) {
            if (Help().browser != nullptr) window->setWindowTitle(Help().browser->documentTitle());
        });
        help.window = window;
    }
    if (help.handle == nullptr) {
        help.handle = AllocateHWnd([](TMessage& m) {
            // Closing hides the window; it goes for good with HH_CLOSE_ALL.
            if (m.Msg == WM_CLOSE) {
                if (Help().window) Help().window->hide();
                return;
            }
            m.Result = DefWindowProc(Help().handle, m.Msg, m.WParam, m.LParam);
        });
    }
    help.browser->setSource(QUrl::fromLocalFile(page));
    help.window->setWindowTitle(help.browser->documentTitle());
    help.window->show();
    help.window->raise();
    help.window->activateWindow();
    return help.handle;
}

// A page named relative to the folder, when it exists inside it (no way out through ".." or links).
QString PageInFolder(const QDir& folder, const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || QDir::isAbsolutePath(trimmed)) return {};
    const QFileInfo info(folder.filePath(trimmed));
    if (!info.isFile()) return {};
    const QString root = folder.canonicalPath() + '/';
    const QString path = info.canonicalFilePath();
    return path.startsWith(root) ? path : QString();
}

// The page of a key in one of the folder's tables ("key=page" lines).
QString LookUp(const QDir& folder, const char* table, const QString& key) {
    QFile file(folder.filePath(table));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(';')) continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        if (line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return PageInFolder(folder, line.mid(equals + 1));
    }
    return {};
}

}  // namespace

HWND HtmlHelp(HWND /*Caller*/, const std::string& File, UINT Command, DWORD_PTR Data) {
    if (Command == HH_CLOSE_ALL) {
        CloseHelpWindow();
        return nullptr;
    }
    if (Command != HH_DISPLAY_TOPIC && Command != HH_DISPLAY_TOC && Command != HH_DISPLAY_INDEX &&
        Command != HH_HELP_CONTEXT)
        return nullptr;

    // "folder::/topic": the topic belongs to the page requests only.
    QString name = PathToQ(File), topic;
    if (const qsizetype at = name.indexOf("::"); at >= 0) {
        topic = name.mid(at + 2);
        while (topic.startsWith('/') || topic.startsWith('\\')) topic.remove(0, 1);
        name.truncate(at);
    }
    const QDir folder(name);
    if (name.isEmpty() || !folder.exists()) return nullptr;
    const QString contents = PageInFolder(folder, ContentsPage);
    if (contents.isEmpty()) return nullptr;

    QString page;
    switch (Command) {
        case HH_DISPLAY_TOPIC: page = PageInFolder(folder, topic); break;
        case HH_DISPLAY_INDEX: {
            const char* keyword = reinterpret_cast<const char*>(Data);
            if (keyword != nullptr) page = LookUp(folder, "keywords.txt", PathToQ(keyword).trimmed());
            break;
        }
        case HH_HELP_CONTEXT:
            page = LookUp(folder, "context.txt", QString::number(static_cast<std::uint32_t>(Data)));
            break;
        default: break;
    }
    return ShowPage(page.isEmpty() ? contents : page);
}

THelpWindowState HelpWindowState() {
    THelpWindowState state;
    const THelpWindow& help = Help();
    if (!help.window || help.browser == nullptr) return state;
    state.Visible = help.window->isVisible();
    state.Page = PathFromQ(help.browser->source().toLocalFile());
    state.Title = help.window->windowTitle().toStdString();
    return state;
}

bool SaveHelpWindowImage(const std::string& FileName) {
    const THelpWindow& help = Help();
    if (!help.window || !help.window->isVisible()) return false;
    return help.window->grab().save(PathToQ(FileName), "PNG");
}

}  // namespace zel
