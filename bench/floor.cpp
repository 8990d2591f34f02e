// The least any Qt Widgets program costs here: make the application and leave.
// run.sh times the wizard against this, so the ratio holds on a busy machine.
#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return 0;
}
