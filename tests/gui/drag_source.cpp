// Another program to drag files from, as a file manager would: a small window in the top left
// corner of the screen that starts dragging the URLs given on its command line when pressed.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

class DragSource : public QWidget {
public:
    QList<QUrl> urls;

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        data->setUrls(urls);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction | Qt::MoveAction);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    DragSource source;
    for (const QString& argument : app.arguments().mid(1))
        source.urls.append(QUrl::fromUserInput(argument));
    source.setWindowTitle(QStringLiteral("Drag source"));
    source.setGeometry(0, 0, 200, 100);
    source.show();
    return app.exec();
}
