// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings and players pages: the options kept in Properties.ini from
// one run to the next, the time-limit controls, the name checks and the
// start of a match.
#include "controls/TKxBitBtn.h"
#include "controls/TRadioGroup.h"
#include "controls/TStringGrid.h"
#include "net/NetworkSession.h"
#include "net/PeerLink.h"
#include "support/FormFixture.h"
#include "support/GameTestMain.h"
#include "support/TypedKeys.h"
#include "support/HostileFiles.h"
#include "support/ModalBoxAnswerer.h"
#include "support/ReadOnlyFolder.h"
#include "window/TForm1.h"
#include "window/pages/SettingsPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QByteArray kDefaultFile = "[Properties]\r\nRounds=5\r\nMistakes=9\r\nTimeLimit=0\r\nTimeLimitValue=30\r\n"
                                "NoSpecialChars=1\r\nCapitalLetters=1\r\nAcceptSentences=0\r\nAcceptNumbers=0\r\n"
                                "SetFirstLetter=1\r\nWonRounds=1\r\nPlaySounds=1\r\n[Names]\r\nPlayer1=\r\nPlayer2=\r\n";


} // namespace

class TestSettingsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstStartWritesTheDefaultFile();
    void loadIntoControls_data();
    void loadIntoControls();
    void everythingSurvivesARestart();
    void savingKeepsTheRestOfTheFile();
    void readOnlyInstallationStartsFromItsPresets();
    void unusableFileIsLeftAlone_data();
    void unusableFileIsLeftAlone();
    void twoCopiesKeepEachOthersChanges();
    void spinEditTextIsCommitted_data();
    void spinEditTextIsCommitted();
    void timeModesEnableTheLimit_data();
    void timeModesEnableTheLimit();
    void acceleratorsReachTheirControls();
    void joiningComputerCannotChangeTheHostsSettings();
    void settingsOkBranches_data();
    void settingsOkBranches();
    void nameChecks_data();
    void nameChecks();
    void validNamesStartTheMatch();
    void cancelSkipsTheNameChecks();
    void nameEditsRefuseWhatTheFileCannotHold_data();
    void nameEditsRefuseWhatTheFileCannotHold();

private:
    void createForm()
    {
        m_form = &m_fixture->createActive();
        // The tests reach into every page's controls.
        m_fixture->buildAllPages();
    }
    void destroyForm()
    {
        m_fixture->destroy();
        m_form = nullptr;
    }
    template<typename T>
    T *control(const char *name) const
    {
        return m_fixture->control<T>(name);
    }

    std::unique_ptr<FormFixture> m_fixture;
    TForm1 *m_form = nullptr;
};

void TestSettingsPage::init()
{
    m_fixture = std::make_unique<FormFixture>();
}

void TestSettingsPage::cleanup()
{
    m_fixture.reset();
    m_form = nullptr;
}

void TestSettingsPage::firstStartWritesTheDefaultFile()
{
    createForm();
    QCOMPARE(m_form->settingsFilePath(), m_fixture->settingsFilePath());
    QCOMPARE(control<QSpinBox>("Rounds")->value(), 5);
    QVERIFY(control<QRadioButton>("NoLimit")->isChecked());
    QVERIFY(!control<QSpinBox>("TimeLimit")->isEnabled());
    destroyForm();
    QCOMPARE(m_fixture->settingsFile(), kDefaultFile);
}

void TestSettingsPage::loadIntoControls_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("mistakes");
    QTest::addColumn<int>("timeLimit");
    QTest::addColumn<QString>("timeMode");
    QTest::addColumn<bool>("noSpecialChars");
    QTest::addColumn<bool>("wonRounds");

    QTest::newRow("missing file") << QByteArray() << 5 << 9 << 30 << "NoLimit" << true << true;
    QTest::newRow("out of range")
        << QByteArray("[Properties]\nRounds=500\nMistakes=-3\nTimeLimitValue=2\n") << 100 << 0 << 5 << "NoLimit" << true << true;
    QTest::newRow("the highest of each") << QByteArray("[Properties]\nRounds=100\nMistakes=25\nTimeLimit=1\nTimeLimitValue=600\n")
                                         << 100 << 25 << 600 << "perLetter" << true << true;
    QTest::newRow("the lowest of each") << QByteArray("[Properties]\nRounds=1\nMistakes=0\nTimeLimit=1\nTimeLimitValue=5\n")
                                        << 1 << 0 << 5 << "perLetter" << true << true;
    QTest::newRow("time mode 7") << QByteArray("[Properties]\nTimeLimit=7\n") << 5 << 9 << 30 << "NoLimit" << true << true;
    QTest::newRow("per letter") << QByteArray("[Properties]\nTimeLimit=1\nTimeLimitValue=45\n") << 5 << 9 << 45 << "perLetter" << true << true;
    QTest::newRow("whole word, hex") << QByteArray("[Properties]\r\nTimeLimit=0x2\r\nRounds=0x1F\r\n") << 31 << 9 << 30 << "WholeWord" << true << true;
    QTest::newRow("yes and 2") << QByteArray("[Properties]\nNoSpecialChars=yes\nWonRounds=2\n") << 5 << 9 << 30 << "NoLimit" << true << true;
    QTest::newRow("zeros") << QByteArray("[Properties]\nNoSpecialChars=0\nWonRounds=0\n") << 5 << 9 << 30 << "NoLimit" << false << false;
    QTest::newRow("garbage") << QByteArray("\xff\xfe\x00garbage\n[Properties\nRounds=2\n") << 5 << 9 << 30 << "NoLimit" << true << true;
}

void TestSettingsPage::loadIntoControls()
{
    QFETCH(QByteArray, file);
    QFETCH(int, rounds);
    QFETCH(int, mistakes);
    QFETCH(int, timeLimit);
    QFETCH(QString, timeMode);
    QFETCH(bool, noSpecialChars);
    QFETCH(bool, wonRounds);

    if (!file.isEmpty())
        m_fixture->writeSettingsFile(file);
    createForm();
    QCOMPARE(control<QSpinBox>("Rounds")->value(), rounds);
    QCOMPARE(control<QSpinBox>("Mistakes")->value(), mistakes);
    QCOMPARE(control<QSpinBox>("TimeLimit")->value(), timeLimit);
    for (const char *mode : {"NoLimit", "perLetter", "WholeWord"})
        QCOMPARE(control<QRadioButton>(mode)->isChecked(), timeMode == QLatin1String(mode));
    QCOMPARE(control<QSpinBox>("TimeLimit")->isEnabled(), timeMode != QLatin1String("NoLimit"));
    QCOMPARE(control<QCheckBox>("NoSpecialChars")->isChecked(), noSpecialChars);
    QCOMPARE(control<QRadioButton>("WonRounds")->isChecked(), wonRounds);
    QCOMPARE(control<QRadioButton>("FewMistakes")->isChecked(), !wonRounds);
}

void TestSettingsPage::everythingSurvivesARestart()
{
    createForm();
    QTest::mouseClick(control<TKxBitBtn>("Properties"), Qt::LeftButton);
    QCOMPARE(m_form->currentPage(), int(TForm1::Settings));

    // Each number replaces what the box showed, and Tab leaves it.
    auto typeNumber = [](QSpinBox *spin, const QString &text) {
        spin->setFocus();
        spin->selectAll();
        typeKeys(spin->window(), text + QStringLiteral("{Tab}"));
    };
    typeNumber(control<QSpinBox>("Rounds"), QStringLiteral("17"));
    typeNumber(control<QSpinBox>("Mistakes"), QStringLiteral("0"));
    control<QRadioButton>("WholeWord")->click();
    typeNumber(control<QSpinBox>("TimeLimit"), QStringLiteral("600"));
    for (const char *box : {"NoSpecialChars", "SetFirstLetter", "CapitalLetters", "AcceptSentences", "AcceptNumbers", "PlaySounds"})
        control<QCheckBox>(box)->click();
    control<QRadioButton>("FewMistakes")->click();
    QTest::keyClick(m_form, Qt::Key_Return);
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));

    QTest::mouseClick(control<TKxBitBtn>("StartGame"), Qt::LeftButton);
    typeKeys(control<QLineEdit>("Player1"), QString::fromUtf8("Jürgen €"));
    typeKeys(control<QLineEdit>("Player2"), QStringLiteral(" "));
    destroyForm();

    createForm();
    QCOMPARE(control<QSpinBox>("Rounds")->value(), 17);
    QCOMPARE(control<QSpinBox>("Mistakes")->value(), 0);
    QVERIFY(control<QRadioButton>("WholeWord")->isChecked());
    QVERIFY(control<QSpinBox>("TimeLimit")->isEnabled());
    QCOMPARE(control<QSpinBox>("TimeLimit")->value(), 600);
    QVERIFY(!control<QCheckBox>("NoSpecialChars")->isChecked());
    QVERIFY(!control<QCheckBox>("SetFirstLetter")->isChecked());
    QVERIFY(!control<QCheckBox>("CapitalLetters")->isChecked());
    QVERIFY(control<QCheckBox>("AcceptSentences")->isChecked());
    QVERIFY(control<QCheckBox>("AcceptNumbers")->isChecked());
    QVERIFY(!control<QCheckBox>("PlaySounds")->isChecked());
    QVERIFY(control<QRadioButton>("FewMistakes")->isChecked());
    QVERIFY(!control<QRadioButton>("WonRounds")->isChecked());
    QCOMPARE(control<QLineEdit>("Player1")->text(), QString::fromUtf8("Jürgen €"));
    QCOMPARE(control<QLineEdit>("Player2")->text(), QStringLiteral(" "));
    destroyForm();

    QCOMPARE(m_fixture->settingsFile(),
             QByteArray("[Properties]\r\nRounds=17\r\nMistakes=0\r\nTimeLimit=2\r\nTimeLimitValue=600\r\n"
                        "NoSpecialChars=0\r\nCapitalLetters=0\r\nAcceptSentences=1\r\nAcceptNumbers=1\r\n"
                        "SetFirstLetter=0\r\nWonRounds=0\r\nPlaySounds=0\r\n[Names]\r\n"
                        "Player1=J\xfcrgen \x80\r\nPlayer2=\" \"\r\n"));
}

void TestSettingsPage::savingKeepsTheRestOfTheFile()
{
    m_fixture->writeSettingsFile("; Voreinstellungen\r\n[Properties]\r\nrounds=3\r\nMyOwnKey=42\r\n\r\n"
                                 "[Window]\r\nLeft=10\r\n[Names]\r\nPlayer1=Anna\r\n");
    createForm();
    QCOMPARE(control<QSpinBox>("Rounds")->value(), 3);
    control<QSpinBox>("Mistakes")->setValue(4);
    control<QLineEdit>("Player2")->setText(QStringLiteral("Berta"));
    destroyForm();

    QCOMPARE(m_fixture->settingsFile(),
             QByteArray("; Voreinstellungen\r\n[Properties]\r\nrounds=3\r\nMyOwnKey=42\r\nMistakes=4\r\nTimeLimit=0\r\n"
                        "TimeLimitValue=30\r\nNoSpecialChars=1\r\nCapitalLetters=1\r\nAcceptSentences=0\r\n"
                        "AcceptNumbers=0\r\nSetFirstLetter=1\r\nWonRounds=1\r\nPlaySounds=1\r\n\r\n"
                        "[Window]\r\nLeft=10\r\n[Names]\r\nPlayer1=Anna\r\nPlayer2=Berta\r\n"));
}

void TestSettingsPage::readOnlyInstallationStartsFromItsPresets()
{
    QTemporaryDir program;
    const QString presets = QDir(program.path()).filePath(QStringLiteral("Properties.ini"));
    const QByteArray presetBytes = "[Properties]\r\nRounds=12\r\n[Names]\r\nPlayer1=Lehrer\r\n";
    {
        QFile file(presets);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(presetBytes);
    }
    QStandardPaths::setTestModeEnabled(true);
    const QString own = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                            .filePath(QStringLiteral("Properties.ini"));
    QFile::remove(own);
    m_fixture->installIn(program.path());
    ReadOnlyFolder readOnly(program.path());

    createForm();
    QCOMPARE(m_form->settingsFilePath(), own);
    QCOMPARE(control<QSpinBox>("Rounds")->value(), 12);
    QCOMPARE(control<QLineEdit>("Player1")->text(), QStringLiteral("Lehrer"));
    control<QSpinBox>("Mistakes")->setValue(3);
    destroyForm();

    createForm();
    QCOMPARE(control<QSpinBox>("Rounds")->value(), 12);
    QCOMPARE(control<QSpinBox>("Mistakes")->value(), 3);
    QCOMPARE(control<QLineEdit>("Player1")->text(), QStringLiteral("Lehrer"));
    destroyForm();

    QFile file(presets);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), presetBytes);
    QVERIFY(QFile::remove(own));
}

// A file the program does not read (one it may not read, a huge one, a
// FIFO, a device) is not written at the end either; the player is told.
void TestSettingsPage::unusableFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("told");

    QTest::newRow("no permission") << "no permission" << "";
    QTest::newRow("larger than 1 MiB") << "larger than 1 MiB" << QString::fromUtf8("ist größer als 1 MiB");
    QTest::newRow("a FIFO") << "FIFO" << QString::fromUtf8("ist keine gewöhnliche Datei");
    QTest::newRow("/dev/zero") << "/dev/zero" << QString::fromUtf8("ist keine gewöhnliche Datei");
}

void TestSettingsPage::unusableFileIsLeftAlone()
{
    QFETCH(QString, kind);
    QFETCH(QString, told);

    QByteArray bytes = "; only for the administrator\r\n[Properties]\r\nRounds=12\r\n";
    const QString path = m_fixture->settingsFilePath();
    std::unique_ptr<FifoTrap> fifo;
    if (kind == "FIFO")
        fifo = std::make_unique<FifoTrap>(path);
    else if (kind == "/dev/zero")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else
        m_fixture->writeSettingsFile(bytes += kind == "no permission" ? "" : ";" + QByteArray(1 << 20, 'x'));
    const QFile::Permissions permissions = QFile::permissions(path);
    {
        NoAccessOverride asUser;
        if (kind == "no permission")
            QVERIFY(QFile::setPermissions(path, QFile::Permissions()));
        ModalBoxAnswerer boxes;
        createForm();
        QCOMPARE(control<QSpinBox>("Rounds")->value(), 5);
        QCOMPARE(boxes.count(), told.isEmpty() ? 0 : 1);
        QVERIFY(boxes.last().text.contains(told));
        control<QSpinBox>("Mistakes")->setValue(3);
        destroyForm();
        QVERIFY(QFile::setPermissions(path, permissions));
    }
    if (fifo)
        QVERIFY(fifo->stillThere() && !fifo->opened());
    else if (kind == "/dev/zero")
        QCOMPARE(QFileInfo(path).symLinkTarget(), QStringLiteral("/dev/zero"));
    else
        QCOMPARE(m_fixture->settingsFile(), bytes);
}

// Two copies of the game started at once read the same file; the one that
// ends last writes back only what it changed.
void TestSettingsPage::twoCopiesKeepEachOthersChanges()
{
    m_fixture->writeSettingsFile(kDefaultFile);
    createForm();
    FormEnvironment environment;
    environment.settingsDirectory = QFileInfo(m_fixture->settingsFilePath()).path();
    environment.sound = std::make_shared<RecordingSound>();
    environment.automaticUpdate = false;
    auto second = std::make_unique<TForm1>(environment);
    second->ensurePage(TForm1::Settings);
    second->ensurePage(TForm1::Players);

    control<QSpinBox>("Mistakes")->setValue(3);
    controlOf<QSpinBox>(second.get(), "Rounds")->setValue(12);
    controlOf<QLineEdit>(second.get(), "Player2")->setText(QStringLiteral("Berta"));
    destroyForm();
    second.reset();

    QCOMPARE(m_fixture->settingsFile(), QByteArray(kDefaultFile)
                                            .replace("Rounds=5", "Rounds=12")
                                            .replace("Mistakes=9", "Mistakes=3")
                                            .replace("Player2=", "Player2=Berta"));
}

void TestSettingsPage::spinEditTextIsCommitted_data()
{
    QTest::addColumn<QByteArray>("spinEdit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("savedLine");

    QTest::newRow("Rounds emptied, Enter") << QByteArray("Rounds") << "" << int(Qt::Key_Return) << 1 << QByteArray("\r\nRounds=1\r\n");
    QTest::newRow("Rounds emptied, Tab") << QByteArray("Rounds") << "" << int(Qt::Key_Tab) << 1 << QByteArray("\r\nRounds=1\r\n");
    QTest::newRow("Rounds below range") << QByteArray("Rounds") << "0" << int(Qt::Key_Tab) << 1 << QByteArray("\r\nRounds=1\r\n");
    QTest::newRow("Rounds typed") << QByteArray("Rounds") << "42" << int(Qt::Key_Return) << 42 << QByteArray("\r\nRounds=42\r\n");
    QTest::newRow("Mistakes emptied") << QByteArray("Mistakes") << "" << int(Qt::Key_Tab) << 0 << QByteArray("\r\nMistakes=0\r\n");
    QTest::newRow("TimeLimit emptied") << QByteArray("TimeLimit") << "" << int(Qt::Key_Tab) << 5 << QByteArray("\r\nTimeLimitValue=5\r\n");
    QTest::newRow("TimeLimit below range") << QByteArray("TimeLimit") << "3" << int(Qt::Key_Return) << 5 << QByteArray("\r\nTimeLimitValue=5\r\n");
    // The last digit that would go past the top is not taken.
    QTest::newRow("Rounds typed past its top") << QByteArray("Rounds") << "101" << int(Qt::Key_Tab) << 10 << QByteArray("\r\nRounds=10\r\n");
    QTest::newRow("Mistakes typed past its top") << QByteArray("Mistakes") << "26" << int(Qt::Key_Tab) << 2 << QByteArray("\r\nMistakes=2\r\n");
    QTest::newRow("TimeLimit typed past its top") << QByteArray("TimeLimit") << "601" << int(Qt::Key_Tab) << 60 << QByteArray("\r\nTimeLimitValue=60\r\n");
}

// The text left in a spin edit counts once the user leaves it or confirms
// the page; what is not a number reads as the lowest value.
void TestSettingsPage::spinEditTextIsCommitted()
{
    QFETCH(QByteArray, spinEdit);
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(QByteArray, savedLine);

    createForm();
    QTest::mouseClick(control<TKxBitBtn>("Properties"), Qt::LeftButton);
    control<QRadioButton>("perLetter")->click();
    auto *spin = control<QSpinBox>(spinEdit.constData());
    spin->setFocus();
    QTRY_VERIFY(spin->hasFocus());
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Backspace);
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key(key));
    // Enter also confirms the page.
    QCOMPARE(m_form->currentPage(), int(key == Qt::Key_Return ? TForm1::Start : TForm1::Settings));
    QCOMPARE(spin->value(), value);
    destroyForm();
    QVERIFY2(m_fixture->settingsFile().contains(savedLine), m_fixture->settingsFile().constData());
}

void TestSettingsPage::timeModesEnableTheLimit_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("per letter") << QStringList{"perLetter"} << true;
    QTest::newRow("whole word") << QStringList{"WholeWord"} << true;
    QTest::newRow("back to no limit") << QStringList{"perLetter", "NoLimit"} << false;
    QTest::newRow("winner rule keeps it enabled") << QStringList{"WholeWord", "FewMistakes", "WonRounds"} << true;
    QTest::newRow("winner rule keeps it disabled") << QStringList{"FewMistakes"} << false;
}

void TestSettingsPage::timeModesEnableTheLimit()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, enabled);
    createForm();
    m_form->showPage(TForm1::Settings);
    for (const QString &name : clicks)
        QTest::mouseClick(m_form->findChild<QRadioButton *>(name), Qt::LeftButton, {}, QPoint(8, 14));
    QCOMPARE(control<QSpinBox>("TimeLimit")->isEnabled(), enabled);
}

void TestSettingsPage::acceleratorsReachTheirControls()
{
    createForm();
    m_form->showPage(TForm1::Settings);
    QTest::keyClick(m_form, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), control<QSpinBox>("Rounds"));
    QTest::keyClick(m_form, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), control<QSpinBox>("Mistakes"));
    QTest::keyClick(m_form, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(control<QRadioButton>("perLetter")->isChecked());
    QTRY_VERIFY(control<QSpinBox>("TimeLimit")->isEnabled());
    // Every caption is tall enough to show its underlined letter.
    for (const QAbstractButton *choice : m_form->findChild<QWidget *>(QStringLiteral("Einstellungen"))->findChildren<QAbstractButton *>()) {
        if (choice->text().contains(QLatin1Char('&')))
            QVERIFY2(choice->height() >= choice->fontMetrics().height(), qPrintable(choice->text()));
    }

    m_form->showPage(TForm1::Players);
    QTest::keyClick(m_form, Qt::Key_2, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>("Player2"));
    QTest::keyClick(m_form, Qt::Key_1, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>("Player1"));
}

void TestSettingsPage::joiningComputerCannotChangeTheHostsSettings()
{
    createForm();
    m_form->findChild<SettingsPage *>()->SetSettingsEnabled(false);
    for (const char *name : {"Rounds", "Mistakes", "NoLimit", "perLetter", "WholeWord", "TimeLimit", "NoSpecialChars",
                             "CapitalLetters", "AcceptSentences", "AcceptNumbers", "SetFirstLetter", "WonRounds",
                             "FewMistakes"})
        QVERIFY2(!control<QWidget>(name)->isEnabled(), name);
    QVERIFY(control<QCheckBox>("PlaySounds")->isEnabled());
    QVERIFY(control<TKxBitBtn>("PropertiesOK")->isEnabled());

    m_form->findChild<SettingsPage *>()->SetSettingsEnabled(true);
    QVERIFY(control<QRadioButton>("FewMistakes")->isEnabled());
}

void TestSettingsPage::settingsOkBranches_data()
{
    QTest::addColumn<bool>("networkGame");
    QTest::addColumn<int>("page");

    // The joining computer's "OK" needs the host's settings, and is played
    // over a real connection in tst_netgame.
    QTest::newRow("local") << false << int(TForm1::Start);
    QTest::newRow("host-to-be") << true << int(TForm1::Network);
}

void TestSettingsPage::settingsOkBranches()
{
    QFETCH(bool, networkGame);
    QFETCH(int, page);

    m_fixture->writeSettingsFile("[Properties]\nRounds=3\n[Names]\nPlayer1=Host\nPlayer2=Guest\n");
    createForm();
    m_form->showPage(TForm1::Settings);
    m_form->match().setNetworkGame(networkGame, false);
    QTest::mouseClick(control<TKxBitBtn>("PropertiesOK"), Qt::LeftButton);
    QCOMPARE(m_form->currentPage(), page);
    // Neither starts a match.
    QCOMPARE(control<QLabel>("WordInfo")->text(), QStringLiteral("Wortangabe"));
    QCOMPARE(m_form->RoundState.RoundNumber, 0u);
}

void TestSettingsPage::nameChecks_data()
{
    QTest::addColumn<QString>("player1");
    QTest::addColumn<QString>("player2");
    QTest::addColumn<QString>("message");

    QTest::newRow("both empty") << "" << "" << "Gib einen Namen ein, Spieler 1.";
    QTest::newRow("first empty") << "" << "Berta" << "Gib einen Namen ein, Spieler 1.";
    QTest::newRow("second empty") << "Anna" << "" << "Gib einen Namen ein, Spieler 2.";
    QTest::newRow("identical") << "Anna" << "Anna" << QString::fromUtf8("Beide Spieler müssen unterschiedliche Namen haben.");
    QTest::newRow("identical blanks") << " " << " " << QString::fromUtf8("Beide Spieler müssen unterschiedliche Namen haben.");
    QTest::newRow("one blank") << " " << "Berta" << "";
    QTest::newRow("differing in case") << "anna" << "Anna" << "";
    QTest::newRow("differing in a trailing blank") << "Anna" << "Anna " << "";
}

void TestSettingsPage::nameChecks()
{
    QFETCH(QString, player1);
    QFETCH(QString, player2);
    QFETCH(QString, message);

    createForm();
    QTest::mouseClick(control<TKxBitBtn>("StartGame"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>("Player1"), player1);
    QTest::keyClicks(control<QLineEdit>("Player2"), player2);
    ModalBoxAnswerer answerer;
    QTest::keyClick(control<QLineEdit>("Player2"), Qt::Key_Return);

    if (message.isEmpty()) {
        QCOMPARE(answerer.count(), 0);
        QCOMPARE(m_form->currentPage(), int(TForm1::Word));
    } else {
        QCOMPARE(answerer.count(), 1);
        QCOMPARE(answerer.last().title, QStringLiteral("Fehler"));
        QCOMPARE(answerer.last().text, message);
        QCOMPARE(answerer.last().icon, QMessageBox::Warning);
        QCOMPARE(m_form->currentPage(), int(TForm1::Players));
    }
    QCOMPARE(control<QLineEdit>("Player1")->text(), player1);
    QCOMPARE(control<QLineEdit>("Player2")->text(), player2);
}

void TestSettingsPage::validNamesStartTheMatch()
{
    m_fixture->writeSettingsFile("[Properties]\nRounds=2\n[Names]\nPlayer1=Anna\nPlayer2=Berta\n");
    createForm();

    // Leftovers of an earlier match: three turns played, the fourth awaits
    // its word.
    m_form->StartMatch();
    for (const QString &word : {QStringLiteral("AB"), QStringLiteral("CD"), QStringLiteral("EF")}) {
        QVERIFY(m_form->keyboard()->setWord(word).accepted());
        QVERIFY(m_form->keyboard()->startTurn());
        m_form->keyboard()->guess(word.at(1));
        QVERIFY(m_form->match().nextTurn());
    }
    m_form->showPage(TForm1::Start);
    auto *grid = control<TStringGrid>("Statistik");
    grid->setRowCount(6);
    grid->setCells(1, 1, QStringLiteral("HAUS"));
    grid->setCells(3, 2, QStringLiteral("4"));
    control<QLabel>("WinnerLabel")->setText(QStringLiteral("Unentschieden!"));
    control<QLineEdit>("Word")->setText(QStringLiteral("ALT"));
    control<QLineEdit>("Word")->setEnabled(false);
    control<TKxBitBtn>("WordOK")->setEnabled(false);

    QTest::mouseClick(control<TKxBitBtn>("StartGame"), Qt::LeftButton);
    QTest::mouseClick(control<TKxBitBtn>("PlayersOK"), Qt::LeftButton);

    QCOMPARE(m_form->currentPage(), int(TForm1::Word));
    QCOMPARE(control<QLabel>("WordInfo")->text(), QStringLiteral("Gib ein Wort an, Anna!"));
    QCOMPARE(control<QLineEdit>("Word")->text(), QString());
    QVERIFY(control<QLineEdit>("Word")->isEnabled());
    QVERIFY(control<TKxBitBtn>("WordOK")->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>("Word"));

    QCOMPARE(grid->RowCount(), 3);
    QCOMPARE(grid->Cells(1, 0), QStringLiteral("Worte von Anna"));
    QCOMPARE(grid->Cells(4, 0), QStringLiteral("Worte von Berta"));
    QCOMPARE(grid->Cells(2, 0), QStringLiteral("< Fehler"));
    QCOMPARE(grid->Cells(0, 1), QStringLiteral("1"));
    QCOMPARE(grid->Cells(0, 2), QStringLiteral("2"));
    for (int row = 1; row <= 2; ++row) {
        for (int column = 1; column < 5; ++column)
            QCOMPARE(grid->Cells(column, row), QString());
    }
    QCOMPARE(control<QLabel>("WinnerLabel")->text(), QString());
    QCOMPARE(m_form->RoundState.RoundNumber, 1u);
    QCOMPARE(m_form->RoundState.GuessingPlayer, quint8(1));
}

void TestSettingsPage::cancelSkipsTheNameChecks()
{
    createForm();
    QTest::mouseClick(control<TKxBitBtn>("StartGame"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>("Player1"), QStringLiteral("Anna"));
    ModalBoxAnswerer answerer;
    QTest::keyClick(control<QLineEdit>("Player1"), Qt::Key_Escape);
    QCOMPARE(m_form->currentPage(), int(TForm1::Start));
    QCOMPARE(answerer.count(), 0);
    destroyForm();
    QVERIFY(m_fixture->settingsFile().endsWith("[Names]\r\nPlayer1=Anna\r\nPlayer2=\r\n"));
}

void TestSettingsPage::nameEditsRefuseWhatTheFileCannotHold_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byInputMethod");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("beeps");

    const QString player = QStringLiteral("Player1");
    QTest::newRow("umlaut and euro") << player << QString::fromUtf8("ä€") << false << QString::fromUtf8("Anä€") << 0;
    QTest::newRow("l with stroke") << player << QString::fromUtf8("ł") << false << "An" << 1;
    QTest::newRow("emoji by key") << player << QString::fromUtf8("😀") << false << "An" << 1;
    QTest::newRow("emoji by input method") << player << QString::fromUtf8("😀") << true << "An" << 1;
    QTest::newRow("mixed commit") << player << QString::fromUtf8("na😀") << true << "An" << 1;
    QTest::newRow("tab character") << player << "\t" << true << "An" << 1;
    // The other computer takes no greeting longer than both fields can be.
    const QString longest = QStringLiteral("An") + QString(38, QLatin1Char('x'));
    QTest::newRow("a nickname's 41st character") << "Edit_IPName" << QString(39, QLatin1Char('x')) << false << longest << 1;
    QTest::newRow("a password's 41st character") << "Edit_IPPassword" << QString(39, QLatin1Char('x')) << true << longest << 1;
}

void TestSettingsPage::nameEditsRefuseWhatTheFileCannotHold()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, byInputMethod);
    QFETCH(QString, kept);
    QFETCH(int, beeps);

    createForm();
    const bool player = name.startsWith(QLatin1String("Player"));
    if (!player) {
        controlOf<TKxBitBtn>(m_form, "IPGame")->click();
        // As the host: both fields open.
        controlOf<TRadioGroup>(m_form, "RadioGroup_ConnectionMode")->item(0)->click();
    }
    m_form->showPage(player ? TForm1::Players : TForm1::Network);
    auto *edit = control<QLineEdit>(name.toLatin1().constData());
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("An"));
    if (byInputMethod) {
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(edit, &commit);
    } else {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, typed, Qt::NoModifier);
    }
    QCOMPARE(edit->text(), kept);
    QCOMPARE(m_fixture->sound().beeps, beeps);
    if (!player)
        return;

    destroyForm();
    QStringEncoder cp1252("windows-1252");
    const QByteArray line = "Player1=" + QByteArray(cp1252(kept)) + "\r\n";
    QVERIFY(m_fixture->settingsFile().contains(line));
}

GAME_TEST_MAIN(TestSettingsPage)
#include "tst_settingspage.moc"
