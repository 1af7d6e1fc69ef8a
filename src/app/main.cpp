#include "CPallworthApp.h"
#include "netbrowse/WorkstationClient.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    CPallworthApp app(std::make_unique<WorkstationClient>());
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
