#include "shell/frmAutoSave.h"

#include "data/AppData.h"
#include "data/Clock.h"
#include "data/modSub.h"
#include "ui/DialogService.h"
#include "ui/EditorLink.h"
#include "ui/Guard.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

namespace {
frmAutoSave *g_instance = nullptr;
}

frmAutoSave::frmAutoSave(QWidget *parent) : QDialog(parent) {
    g_instance = this;
    setObjectName(QStringLiteral("frmAutoSave"));
    setWindowTitle(QStringLiteral("Automatikus mentés"));

    Label1 = new QLabel(QStringLiteral("&Automatikus mentés"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtInterval = new QLineEdit(this);
    txtInterval->setObjectName(QStringLiteral("txtInterval"));
    txtInterval->setMaximumWidth(60);
    txtInterval->installEventFilter(this);
    Label1->setBuddy(txtInterval);
    Label2 = new QLabel(QStringLiteral("percenként."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    lblWarning = new QLabel(QStringLiteral("Az értéknek 1 és 15 közé kell esnie."), this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    QFont small = lblWarning->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lblWarning->setFont(small);
    btnDone = new QPushButton(QStringLiteral("OK"), this);
    btnDone->setObjectName(QStringLiteral("btnDone"));
    btnDone->setDefault(true);
    tmrCheck = new QTimer(this);
    tmrCheck->setObjectName(QStringLiteral("tmrCheck"));
    tmrCheck->setInterval(100);

    auto *row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(txtInterval);
    row->addWidget(Label2);
    row->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnDone);
    auto *main = new QVBoxLayout(this);
    main->addLayout(row);
    main->addWidget(lblWarning);
    main->addLayout(buttons);

    connect(txtInterval, &QLineEdit::textChanged, this, &frmAutoSave::txtInterval_Change);
    connectGuarded(btnDone, &QPushButton::clicked, this, &frmAutoSave::btnDone_Click);
    connectGuarded(tmrCheck, &QTimer::timeout, this, &frmAutoSave::tmrCheck_Timer);

    // Loading: the user's interval (5 when he has none), the next save counted from now.
    const Record &user = AppData::current().login.currentUser;
    const QVariant stored = user.isEmpty() ? QVariant() : user.value(QStringLiteral("usr_autosave"));
    txtInterval->setText(stored.isNull() ? QStringLiteral("5") : stored.toString());
    txtInterval_Change();
    m_schedule.restart(AutoSaveSchedule::intervalOf(txtInterval->text()), Clock::now());
    tmrCheck->start();
}

frmAutoSave::~frmAutoSave() {
    if (g_instance == this)
        g_instance = nullptr;
}

frmAutoSave *frmAutoSave::instance() {
    return g_instance;
}

void frmAutoSave::txtInterval_Change() {
    const bool ok = AutoSaveSchedule::isValidInterval(txtInterval->text());
    btnDone->setEnabled(ok);
    lblWarning->setVisible(!ok);
}

void frmAutoSave::btnDone_Click() {
    const int minutes = AutoSaveSchedule::intervalOf(txtInterval->text());
    m_schedule.restart(minutes, Clock::now());
    AppData &app = AppData::current();
    app.devDB.run(QStringLiteral("updateAutoSave"), {minutes, app.login.userId()});
    if (EditorLink::isOpen())
        tmrCheck->start();
    else
        tmrCheck->stop();
    accept();
}

void frmAutoSave::tmrCheck_Timer() {
    // While a question or message is open the save waits: it must not run behind a question the user is
    // about to answer, nor start again under the box of its own failure.
    if (m_saving || DialogService::isShowing() || !m_schedule.isDue(Clock::now()))
        return;
    m_schedule.restart(Clock::now());
    m_saving = true;
    const auto done = qScopeGuard([this] { m_saving = false; });
    modSub::WriteLog(QString(), 0, QStringLiteral("AUTOSAVE START"));
    EditorLink::saveChanges();
}

void frmAutoSave::closeEvent(QCloseEvent *event) {
    // The close box only hides the window: the timer keeps running.
    event->ignore();
    hide();
}

void frmAutoSave::reject() {
    hide();
    QDialog::reject();
}

bool frmAutoSave::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtInterval && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtInterval, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}
