// Drag and drop: one user file dropped on the window opens through the same steps as Open.
#include "file_name_text.h"
#include "frm_main.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace kivo {
namespace {

// The one local file a drag carries; empty for several files, a folder, a URL that is not a
// local file, or no file at all.
QString droppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    const QString path = localFileOf(urls.constFirst()); // its bytes kept, whatever they are
    return QFileInfo(path).isDir() ? QString() : path;
}

// Takes a drag of one user file as a copy, and refuses anything else, so that the pointer shows
// before the drop whether it will open. Never a move: the dragging program would delete the
// board's file once the drop is done.
bool takeAsCopy(QDropEvent* event) {
    if (droppedFile(event->mimeData()).isEmpty() ||
        !event->possibleActions().testFlag(Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace

void frmMain::acceptFileDrops() {
    setAcceptDrops(true);
    // Text boxes take drops of text, and file managers offer a file's name as text too: a file
    // dragged over a box would have its name typed into it. Files go to the window wherever they
    // are dropped.
    for (QWidget* child : findChildren<QWidget*>())
        if (child->acceptDrops())
            child->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                      event->type() == QEvent::Drop;
    if (!drag || !static_cast<QDropEvent*>(event)->mimeData()->hasUrls())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Drop)
        dropEvent(static_cast<QDropEvent*>(event));
    else
        takeAsCopy(static_cast<QDropEvent*>(event));
    return true;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    takeAsCopy(event);
}

void frmMain::dragMoveEvent(QDragMoveEvent* event) {
    takeAsCopy(event);
}

void frmMain::dropEvent(QDropEvent* event) {
    if (!takeAsCopy(event))
        return;
    // Open once the drop is over: the dragging program waits for its end, and listing a large
    // file or showing a message box would keep it waiting.
    QMetaObject::invokeMethod(
        this, [this, path = droppedFile(event->mimeData())] { openUserFile(path); },
        Qt::QueuedConnection);
}

} // namespace kivo
