#include "shell/frmAbout.h"

#include "data/AppData.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QString openDatabase() {
    if (!AppData::hasCurrent() || !AppData::current().devDB.isOpen())
        return QStringLiteral("nincs megnyitva");
    return AppData::current().devDB.connection().description();
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Névjegy..."));
    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(48, 48));
    auto *text =
        new QLabel(QStringLiteral("<b>Lorvanto</b> %1<br><br>Szöveges értékelés általános iskoláknak.<br>"
                                  "Értékelések írása a közös mondatbankból, bizonyítványok és törzslapok "
                                  "nyomtatása a hivatalos nyomtatványokra.<br><br>Adatbázis: %2")
                       .arg(QStringLiteral(LORVANTO_VERSION), openDatabase().toHtmlEscaped()),
                   this);
    text->setWordWrap(true);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    auto *top = new QHBoxLayout;
    top->addWidget(Picture2, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(buttons);
    setMinimumWidth(380);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}
