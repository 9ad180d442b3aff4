#include "shell/StartupPanel.h"

#include "data/AppData.h"
#include "shell/frmMenu.h"
#include "ui/Guard.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kAdminGuidance =
    "Igazgatói (adminisztrátori) bejelentkező szöveg\n\n"
    "Üdvözöljük a Lorvantóban! Mielőtt a tanítók megírhatnák a szöveges értékeléseket, néhány alapadatot "
    "egyszer be kell állítani. A jobb oldali gombok sorrendjében haladjon:\n\n"
    "1. Iskola adatai (Beállítások → Adminisztráció → Iskola adatai...): az iskola neve, OM azonosítója és "
    "címe. Ezek kerülnek a bizonyítványokra és a törzslapokra.\n\n"
    "2. Értékelési időszakok (Beállítások → Értékelés beállításai → Értékelési időszakok...): az „Új "
    "időszak...” gombbal vegye fel a tanévet és az időszakot (például félév vagy év vége), majd tegye "
    "aktívvá („Ez az időszak aktív”). Új időszak felvételekor a program átmásolja az aktív időszak "
    "tantárgyait és mondatait.\n\n"
    "3. Felhasználók (Beállítások → Adminisztráció → Felhasználók...): az „Új...” gombbal vegye fel a "
    "tanítókat. Az első bejelentkezéskor mindenki maga adja meg a jelszavát.\n\n"
    "4. Osztályok (Beállítások → Értékelés beállításai → Osztályok...): vegye fel az időszak osztályait, és "
    "jelölje ki az osztályfőnököt. A tanítók jogait az osztályokra a Felhasználók ablakban adja meg: "
    "válassza ki a tanítót, nyomja meg a „Módosít...” gombot, és a „Jogok” lapon jelölje be osztályonként "
    "az „Olvashatja” vagy a „Szerkesztheti” négyzetet.\n\n"
    "5. Tantárgyak (Beállítások → Értékelés beállításai → Tantárgyak...): kezdje az „Új tantárgy” gombbal, "
    "majd jobb gombbal kattintva vegye fel a tantárgyak értékelési területeit és alterületeit. A "
    "mondatbank mondatai ezekhez tartoznak.\n\n"
    "Ha mindez megvan, a tanítók felvehetik osztályuk tanulóit, és megkezdhetik az értékelést a Fájl menü "
    "„Értékelés...” pontjában. Ez az ablak később is elérhető a Súgó menü „Induló képernyő...” pontjából.";

const char *const kTeacherGuidance =
    "Tisztelt Felhasználó!\n\n"
    "Az iskola adatait, az értékelési időszakokat, az osztályokat, a felhasználókat és a jogosultságokat az "
    "igazgató már beállította, így Ön megkezdheti a munkát.\n\n"
    "1. Osztályok (Beállítások → Értékelés beállításai → Osztályok...): első lépésként válassza ki "
    "osztályát, nyomja meg a „Módosít...” gombot, és a „Tanulók” lapon vegye fel a tanulóit (név, születési "
    "adatok, anyja neve, törzslapszám) az „Új...” gombbal, vagy olvassa be őket egy Excel-táblázatból az "
    "„Importál...” gombbal.\n\n"
    "2. Értékelés (Fájl → Értékelés...): a „Tanuló kiválasztása...” gombbal válassza ki a tanulót, majd "
    "tantárgyanként és részterületenként állítsa össze az értékelést a mondatbank mondataiból. Egy mondatra "
    "duplán kattintva az a kurzor helyére kerül; saját mondatot is írhat. A program a beállított "
    "időközönként magától is ment.\n\n"
    "Ha elkészült, véglegesítse az értékelést, majd nyomtassa ki a bizonyítványt vagy a törzslapot. "
    "Ez az ablak később is elérhető a Súgó menü „Induló képernyő...” pontjából.";

} // namespace

StartupPanel::StartupPanel(const char *objectName, const QString &guidance, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QStringLiteral("Indulás..."));
    setAttribute(Qt::WA_DeleteOnClose);
    Text1 = new QPlainTextEdit(guidance, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setAccessibleName(QStringLiteral("Tájékoztató"));
    chbStartup = new QCheckBox(QStringLiteral("Következő indulásnál megjelenjen"), this);
    chbStartup->setObjectName(QStringLiteral("chbStartup"));
    btnHide = new QPushButton(QStringLiteral("Be&zár"), this);
    btnHide->setObjectName(QStringLiteral("btnHide"));

    m_steps = new QVBoxLayout;
    m_steps->setAlignment(Qt::AlignTop);
    auto *body = new QHBoxLayout;
    body->addWidget(Text1, 1);
    body->addLayout(m_steps);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(chbStartup);
    bottom->addStretch(1);
    bottom->addWidget(btnHide);
    auto *main = new QVBoxLayout(this);
    main->addLayout(body);
    main->addLayout(bottom);
    resize(720, 460);

    const Record &user = AppData::current().login.currentUser;
    chbStartup->setChecked(!user.isEmpty() && user.toInt(QStringLiteral("usr_startup")) != 0);
    connectGuarded(chbStartup, &QCheckBox::clicked, this, &StartupPanel::chbStartup_Click);
    connect(btnHide, &QPushButton::clicked, this, &QDialog::close);
}

QPushButton *StartupPanel::addStep(const char *name, const QString &caption, QAction *menuItem) {
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(180);
    m_steps->addWidget(button);
    button->setEnabled(menuItem->isEnabled());
    connect(menuItem, &QAction::changed, button,
            [button, menuItem] { button->setEnabled(menuItem->isEnabled()); });
    connect(button, &QPushButton::clicked, menuItem, &QAction::trigger);
    return button;
}

void StartupPanel::chbStartup_Click() {
    AppData &app = AppData::current();
    app.devDB.run(QStringLiteral("setParameter"), {chbStartup->isChecked() ? 1 : 0, app.login.userId()});
}

frmStartUp::frmStartUp(frmMenu *menu) : StartupPanel("frmStartUp", QString::fromUtf8(kAdminGuidance), menu) {
    cmdIskolaAdatai = addStep("cmdIskolaAdatai", QStringLiteral("1. Iskola adatai"), menu->mnuSchool);
    cmdErtIdoszak = addStep("cmdErtIdoszak", QStringLiteral("2. Értékelési időszakok"), menu->mnuSeasons);
    cmdUser = addStep("cmdUser", QStringLiteral("3. Felhasználók"), menu->mnuUserGroups);
    cmdOsztaly = addStep("cmdOsztaly", QStringLiteral("4. Osztályok"), menu->mnuClasses);
    frmTantargy = addStep("frmTantargy", QStringLiteral("5. Tantárgyak"), menu->mnuSubjects);
}

frmStartupUser::frmStartupUser(frmMenu *menu)
    : StartupPanel("frmStartupUser", QString::fromUtf8(kTeacherGuidance), menu) {
    cmdOsztaly = addStep("cmdOsztaly", QStringLiteral("1. Osztályok"), menu->mnuClasses);
    cmdErtekeles = addStep("cmdErtekeles", QStringLiteral("2. Értékelés"), menu->mnuRate);
}
