#include "clipboardkeeper.h"

#include <QtGui/qtguiglobal.h> // QT_CONFIG(xcb)

#if QT_CONFIG(xcb)
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib> // free
#include <memory>
#include <string_view>

namespace {

template <typename Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// Whether a clipboard manager runs: it owns the CLIPBOARD_MANAGER selection. Qt hands it the
// text as the program ends, and it serves the text from then on.
bool clipboardManagerRuns(xcb_connection_t *connection)
{
    constexpr std::string_view name = "CLIPBOARD_MANAGER";
    const XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, /*only_if_exists=*/1,
                                              std::uint16_t(name.size()), name.data()),
                              nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false; // nobody ever claimed it
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

// Beside the program in the build, in the package's libexec folder once installed.
QString keeperProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString &path :
         {here.filePath(QStringLiteral("suma-zodziais-clipboard")),
          here.filePath(QStringLiteral("../libexec/suma-zodziais/suma-zodziais-clipboard"))}) {
        if (QFileInfo(path).isExecutable())
            return QDir::cleanPath(path);
    }
    return {};
}

} // namespace

namespace suma {

void keepClipboardAfterExit()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!x11 || !clipboard->ownsClipboard() || clipboardManagerRuns(x11->connection()))
        return;
    const QString program = keeperProgram();
    if (program.isEmpty())
        return;

    QProcess keeper;
    keeper.setProgram(program);
    keeper.setArguments({clipboard->text()});
    // Detached from the window's terminal and session: it outlives them.
    keeper.setStandardInputFile(QProcess::nullDevice());
    keeper.setStandardOutputFile(QProcess::nullDevice());
    keeper.setStandardErrorFile(QProcess::nullDevice());
    if (!keeper.startDetached())
        return;

    // The keeper takes the clipboard from this program; until then this one serves it.
    QEventLoop handedOver;
    QObject::connect(clipboard, &QClipboard::changed, &handedOver, [&](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            handedOver.quit();
    });
    QTimer::singleShot(3000, &handedOver, &QEventLoop::quit);
    if (clipboard->ownsClipboard())
        handedOver.exec();
}

} // namespace suma

#else

namespace suma {

// Elsewhere the system keeps the clipboard's text when the program ends.
void keepClipboardAfterExit() {}

} // namespace suma

#endif
