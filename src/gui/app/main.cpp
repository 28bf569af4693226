#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvane");
    QMainWindow window;
    window.setWindowTitle("Quillard");
    window.show();
    return app.exec();
}
