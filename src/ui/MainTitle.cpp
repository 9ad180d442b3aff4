#include "ui/MainTitle.h"

#include "data/AppData.h"

QString mainTitle() {
    AppData &app = AppData::current();
    QString title = QStringLiteral("Lorvanto - ") + app.login.currentUser.toString(QStringLiteral("usr_nev"));
    if (app.devDB.isOpen() && app.devDB.connection().isServer())
        title += QStringLiteral(" - ") + app.devDB.connection().description();
    return title;
}
