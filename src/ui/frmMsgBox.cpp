#include "ui/frmMsgBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmMsgBox::frmMsgBox(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMsgBox"));
    setWindowTitle(QStringLiteral("Lorvanto"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    Label1 = new QLabel(
        QStringLiteral("Szeretné a mondatot elmenteni? Ha elmenti, kiajánlhatja, így - az igazgató "
                       "jóváhagyásával - mások is láthatják."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    btnOKSave = new QPushButton(QStringLiteral("Mondat menté&se"), this);
    btnOKSave->setObjectName(QStringLiteral("btnOKSave"));
    btnOKSave->setDefault(true);
    btnOKNoSave = new QPushButton(QStringLiteral("Mondat &beszúrása mentés nélkül"), this);
    btnOKNoSave->setObjectName(QStringLiteral("btnOKNoSave"));
    btnCancel = new QPushButton(QStringLiteral("&Mégse"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addWidget(Label1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnOKSave);
    buttons->addWidget(btnOKNoSave);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(buttons);
    setMinimumWidth(460);

    connect(btnOKSave, &QPushButton::clicked, this, [this] { answer(SaveSentence); });
    connect(btnOKNoSave, &QPushButton::clicked, this, [this] { answer(InsertOnly); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { answer(Cancel); });
}

void frmMsgBox::answer(int result) {
    m_result = result;
    if (result == Cancel)
        reject();
    else
        accept();
}
