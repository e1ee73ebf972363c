// Program entry: for now an empty main frame until the window layer and the shell are in.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle(QStringLiteral("Lab2Siv"));
  frame.resize(900, 600);
  frame.show();
  return QApplication::exec();
}
