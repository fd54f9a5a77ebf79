#include "shell/all_windows.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace qx;
using qx::test::ProgramFixture;

namespace {

struct RulesTextWindow : ProgramFixture {
    RulesTextWindow()
    {
        acceptDirectories();
        start();
        window()->show();
    }
    TRulesText* window() { return windows().rulesText; }
    QStringList findings()
    {
        QStringList lines;
        for (int i = 0; i < window()->Findings->count(); ++i)
            lines << window()->Findings->item(i)->text();
        return lines;
    }
    void add()
    {
        dialogs.log.clear();
        QTest::mouseClick(window()->AddButton, Qt::LeftButton);
    }
    project::Entry entry(std::size_t index) { return project::readEntry(workingFile("project.tmp"), index); }
    QStringList listLines() { return test::listLines(windows().prjform); }
};

}

class RulesTextWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The check runs as the player types; the game's spelling is offered
    // and taken for the chosen line.
    void typedLinesAreCheckedAndTheGamesSpellingIsOffered()
    {
        RulesTextWindow f;
        auto* w = f.window();
        const QStringList typed{"[3TNK]", "crewed=no", "Strength=5", "Strength=6", "[MINE]", "X=1"};
        for (const auto& line : typed) {
            QTest::keyClicks(w->TextEdit, line);
            if (&line != &typed.back())
                QTest::keyClick(w->TextEdit, Qt::Key_Return);
        }
        QTRY_COMPARE(f.findings(), (QStringList{
                                       "2: the game reads no key crewed in [3TNK]: it reads Crewed",
                                       "4: Strength is given twice in [3TNK] (first on line 3): which one the "
                                       "game reads is not defined",
                                       "5: note: [MINE] is no section of the game and no line names it: the game "
                                       "ignores it, though an extended game may read it"}));
        QVERIFY(!w->SpellingButton->isEnabled());
        w->Findings->setCurrentRow(1);
        QVERIFY(!w->SpellingButton->isEnabled());
        w->Findings->setCurrentRow(0);
        QTest::mouseClick(w->SpellingButton, Qt::LeftButton);
        QCOMPARE(w->TextEdit->toPlainText(), QString("[3TNK]\nCrewed=no\nStrength=5\nStrength=6\n[MINE]\nX=1"));
        QCOMPARE(f.findings().size(), 2);

        // A finding older than the text changes nothing.
        w->TextEdit->setPlainText("[3TNK]\ncrewed=no");
        w->check();
        w->Findings->setCurrentRow(0);
        w->TextEdit->setPlainText("[3TNK]");
        QTest::mouseClick(w->SpellingButton, Qt::LeftButton);
        QCOMPARE(w->TextEdit->toPlainText(), QString("[3TNK]"));
        w->TextEdit->setPlainText("[3TNK]\nCrewed=no\nStrength=5\nStrength=6\n[MINE]\nX=1");

        QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->FindEdit));
        QTest::keyClicks(w->FindEdit, "MINE");
        QTest::keyClick(w->FindEdit, Qt::Key_Return);
        QCOMPARE(w->TextEdit->textCursor().selectedText(), QString("MINE"));
        QCOMPARE(w->TextEdit->textCursor().blockNumber(), 4);
        w->FindEdit->setText("Nowhere");
        QTest::keyClick(w->FindEdit, Qt::Key_Return);
        QCOMPARE(w->FindStatus->text(), QString("Not found"));
    }

    // Add to Project stores the text as the game reads it, under the name
    // given; Edit opens it again and a second Add replaces it.
    void addStoresAndEditOpensAgain()
    {
        RulesTextWindow f;
        auto* w = f.window();
        w->TextEdit->setPlainText("; mine\n[3TNK]\nCrewed=no\n");
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{"error: Please enter a name for the rules text!"});
        QTest::keyClicks(w->NameEdit, "Crews ");
        w->NameEdit->insert("\u00e9");
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{});
        QCOMPARE(f.listLines(), QStringList{"Rules text: Crews \u00e9 (3 lines in 1 section)"});
        auto stored = f.entry(0);
        QCOMPARE(stored.kind, EntryKind::RulesText);
        QCOMPARE(stored.name, std::string("Crews \xe9"));
        QCOMPARE(stored.data, test::bytesOf("; mine\r\n[3TNK]\r\nCrewed=no\r\n"));

        w->TextEdit->setPlainText("[X]\nKey=" + QString(130, 'v'));
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{"error: The game would not read this rules text as written:\n"
                                            "line 2: a line of 134 bytes, of which the game reads only the first 127"});
        w->TextEdit->setPlainText("[X]\nKey=\u03a9");
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{"error: Line 2 holds a character that is not Western European."});

        w->close();
        QVERIFY(w->TextEdit->toPlainText().startsWith("[X]"));
        w->TextEdit->clear();
        w->NameEdit->clear();
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(w->NameEdit->text(), QString("Crews \u00e9"));
        QCOMPARE(w->TextEdit->toPlainText(), QString("; mine\n[3TNK]\nCrewed=no\n"));
        w->TextEdit->appendPlainText("[4TNK]\nCrewed=no");
        f.add();
        QCOMPARE(f.listLines(), QStringList{"Rules text: Crews \u00e9 (6 lines in 2 sections)"});
    }
};

QTEST_MAIN(RulesTextWindowTest)
#include "rules_text_window_test.moc"
