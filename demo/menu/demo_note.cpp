// A business program of the demonstration: shows how it was started (its name and arguments)
// and ends when the box is closed.
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString name = QFileInfo(args.value(0)).fileName();
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("TAV デモ業務"),
        name + QStringLiteral(" を起動しました。\n\n引数: ") +
            (args.size() > 1 ? args.mid(1).join(QStringLiteral(" ")) : QStringLiteral("（なし）")),
        QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? 0 : 1;
}
