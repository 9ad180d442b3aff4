#include "ScriptedDialogService.h"

#include <QDialog>
#include <QTest>
#include <QUrl>

QString iconName(DialogService::Icon icon) {
    switch (icon) {
    case DialogService::Icon::Information:
        return QStringLiteral("information");
    case DialogService::Icon::Exclamation:
        return QStringLiteral("exclamation");
    case DialogService::Icon::Critical:
        return QStringLiteral("critical");
    case DialogService::Icon::Question:
        return QStringLiteral("question");
    case DialogService::Icon::None:
        break;
    }
    return QStringLiteral("none");
}

ScriptedDialogService::ScriptedDialogService() {
    DialogService::install(this);
}

ScriptedDialogService::~ScriptedDialogService() {
    DialogService::install(nullptr);
}

void ScriptedDialogService::expectMessage(const QString &text, Icon icon, QMessageBox::StandardButton answer,
                                          std::function<void()> whileShown) {
    Step s{Kind::Message, text, icon, answer, {}, false, {}, std::move(whileShown)};
    m_script.enqueue(s);
}

void ScriptedDialogService::expectOpenFile(const QString &answer) {
    m_script.enqueue(Step{Kind::OpenFile, {}, Icon::None, QMessageBox::Ok, answer, false, {}, {}});
}

void ScriptedDialogService::expectSaveFile(const QString &answer) {
    m_script.enqueue(Step{Kind::SaveFile, {}, Icon::None, QMessageBox::Ok, answer, false, {}, {}});
}

void ScriptedDialogService::expectPrintDialog(bool accept) {
    m_script.enqueue(Step{Kind::Print, {}, Icon::None, QMessageBox::Ok, {}, accept, {}, {}});
}

void ScriptedDialogService::expectModal(const QString &objectName, std::function<int(QDialog *)> driver) {
    m_script.enqueue(
        Step{Kind::Modal, objectName, Icon::None, QMessageBox::Ok, {}, false, std::move(driver), {}});
}

void ScriptedDialogService::expectOpenUrl(const QUrl &url) {
    m_script.enqueue(Step{Kind::Url, url.toString(), Icon::None, QMessageBox::Ok, {}, true, {}, {}});
}

bool ScriptedDialogService::openUrl(const QUrl &url) {
    Step step;
    if (!take(Kind::Url, QStringLiteral("open url ") + url.toString(), step))
        return false;
    if (step.text != url.toString())
        QTest::qFail(qPrintable(QStringLiteral("expected url %1, got %2").arg(step.text, url.toString())),
                     __FILE__, __LINE__);
    return true;
}

bool ScriptedDialogService::take(Kind kind, const QString &what, Step &step) {
    if (m_script.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected dialog: ") + what), __FILE__, __LINE__);
        return false;
    }
    if (m_script.head().kind != kind) {
        QTest::qFail(qPrintable(QStringLiteral("dialog out of order: ") + what), __FILE__, __LINE__);
        m_script.dequeue();
        return false;
    }
    step = m_script.dequeue();
    return true;
}

QMessageBox::StandardButton ScriptedDialogService::message(QWidget *, const QString &text, Icon icon,
                                                           QMessageBox::StandardButtons buttons,
                                                           QMessageBox::StandardButton defaultButton,
                                                           const QString &) {
    m_shown << Shown{text, icon, buttons, defaultButton};
    Step step;
    const QString what = QStringLiteral("message [%1] \"%2\"").arg(iconName(icon), text);
    if (!take(Kind::Message, what, step))
        return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
               : buttons.testFlag(QMessageBox::No)   ? QMessageBox::No
                                                     : QMessageBox::Ok;
    const bool prefix = step.text.endsWith(QLatin1Char('*'));
    const bool textMatches = prefix ? text.startsWith(step.text.chopped(1)) : text == step.text;
    if (!textMatches || icon != step.icon)
        QTest::qFail(qPrintable(QStringLiteral("expected message [%1] \"%2\", got %3")
                                    .arg(iconName(step.icon), step.text, what)),
                     __FILE__, __LINE__);
    if (step.whileShown)
        step.whileShown();
    return step.answer;
}

QString ScriptedDialogService::openFile(QWidget *, const QString &caption, const QString &, const QString &) {
    Step step;
    return take(Kind::OpenFile, QStringLiteral("open file ") + caption, step) ? step.fileAnswer : QString();
}

QString ScriptedDialogService::saveFile(QWidget *, const QString &caption, const QString &, const QString &) {
    Step step;
    return take(Kind::SaveFile, QStringLiteral("save file ") + caption, step) ? step.fileAnswer : QString();
}

bool ScriptedDialogService::printDialog(QWidget *, QPrinter *, bool oneWholeCopy) {
    m_oneWholeCopy << oneWholeCopy;
    Step step;
    return take(Kind::Print, QStringLiteral("print dialog"), step) && step.accept;
}

int ScriptedDialogService::runModal(QDialog *dialog) {
    Step step;
    if (!take(Kind::Modal, QStringLiteral("modal window ") + dialog->objectName(), step))
        return QDialog::Rejected;
    if (!step.text.isEmpty() && step.text != dialog->objectName())
        QTest::qFail(
            qPrintable(
                QStringLiteral("expected modal window %1, got %2").arg(step.text, dialog->objectName())),
            __FILE__, __LINE__);
    return step.driver ? step.driver(dialog) : QDialog::Rejected;
}

bool ScriptedDialogService::verifyDone() {
    if (m_script.isEmpty())
        return true;
    const Step &s = m_script.head();
    QTest::qFail(qPrintable(QStringLiteral("%1 expected dialog(s) did not come; first: \"%2\"")
                                .arg(m_script.size())
                                .arg(s.text)),
                 __FILE__, __LINE__);
    m_script.clear();
    return false;
}
