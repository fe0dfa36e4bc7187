#include "platform/SaveDialog.h"
#include "platform/SaveFilter.h"
#include "platform/SaveRequest.h"
#include "platform/UserSettings.h"
#include "support/WaitFor.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

namespace
{

const QStringList kFilters = {"PNG Portable Network Graphics (*.png)", "JPEG Files (*.jpg *.jpeg)",
                              "ICO Windows Icon (*.ico)", "TIFF Tag Image File Format (*.tif *.tiff)"};

// Settings (ours and the file dialog's own) go to a folder of the test.
class SaveDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkpath("pictures") &&
                    QDir(dir.path()).mkpath("config"));
        for (const auto format : {QSettings::IniFormat, QSettings::NativeFormat})
            QSettings::setPath(format, QSettings::UserScope, dir.filePath("config"));
    }
    QString folder() const { return dir.filePath("pictures"); }

    QTemporaryDir dir;
};

// Picks a filter entry as the user does: the keyboard on the file type box.
void pickFilter(QFileDialog& dialog, int steps)
{
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    types->setFocus();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(types, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}

QString nameField(QFileDialog& dialog)
{
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    return edit ? edit->text() : QString("<no name field>");
}

} // namespace

TEST(SaveFilterTest, NamesFollowTheEntry)
{
    const QString png = kFilters[0], jpeg = kFilters[1];
    const std::tuple<const char*, QString, const char*> cases[] = {
        {"icon.png", jpeg, "icon.jpg"},
        {"icon.JPEG", jpeg, "icon.JPEG"},
        {"a.b.jpeg", png, "a.b.png"},
        {"icon", png, "icon.png"},
        {"icon.", png, "icon.png"},
        {".hidden", png, ".hidden.png"},
        {"", png, ""},
        {"icon.gif", "All (*)", "icon.gif"},
    };
    for (const auto& [name, entry, expected] : cases)
        EXPECT_EQ(SaveFilter::renamed(name, entry), expected) << name;
    EXPECT_EQ(SaveFilter::suffixes(kFilters[3]), (QStringList{"tif", "tiff"}));
    EXPECT_EQ(SaveFilter::entryFor("x.TIFF", kFilters), kFilters[3]);
    EXPECT_TRUE(SaveFilter::entryFor("x.webp", kFilters).isEmpty() &&
                SaveFilter::entryFor("x", kFilters).isEmpty());
}

TEST_F(SaveDialogTest, SuggestsTheNameAndFollowsTheChosenEntry)
{
    SaveDialog dialog(nullptr, SaveRequest{"Open File...", kFilters, kFilters[0], folder(), "201511ab.png"});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Open File...");
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(folder()).canonicalPath());
    EXPECT_EQ(dialog.selectedNameFilter(), kFilters[0]);
    EXPECT_EQ(nameField(dialog), "201511ab.png");

    // Each entry picked gives the name its extension: JPEG, then ICO, then back to PNG.
    const std::pair<int, const char*> picks[] = {
        {1, "201511ab.jpg"}, {1, "201511ab.ico"}, {-2, "201511ab.png"}};
    for (const auto& [steps, expected] : picks) {
        pickFilter(dialog, steps);
        EXPECT_EQ(nameField(dialog), expected);
    }
    // A name typed without an extension gets the chosen entry's.
    pickFilter(dialog, 3);
    ASSERT_EQ(dialog.selectedNameFilter(), kFilters[3]);
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    edit->selectAll();
    QTest::keyClicks(edit, "mine");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenPath(), QDir(folder()).filePath("mine.tif"));
}

TEST_F(SaveDialogTest, SizeAndDateColumnsShowWhole)
{
    // A file with a long size figure and a date, as the user's folders have.
    QFile big(QDir(folder()).filePath("a picture with a rather long name of its own.png"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(987654321));
    big.close();
    SaveDialog dialog(nullptr, SaveRequest{"Open File...", kFilters, {}, folder(), "x.png"});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* view = dialog.findChild<QTreeView*>("treeView");
    ASSERT_TRUE(view && view->isVisible()); // the detail view
    WAIT_UNTIL(view->model()->rowCount(view->rootIndex()) == 1, 20000);
    const QHeaderView* header = view->header();
    const QAbstractItemView* cells = view; // the width each column's texts need
    for (int column = 1; column <= 3; ++column) {
        EXPECT_FALSE(header->isSectionHidden(column)) << column;
        EXPECT_GE(header->sectionSize(column), cells->sizeHintForColumn(column)) << column;
    }
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
    EXPECT_LE(header->sectionPosition(3) + header->sectionSize(3), view->viewport()->width());
}
