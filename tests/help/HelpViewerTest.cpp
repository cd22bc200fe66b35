#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "platform/help/ChmHelpBackend.h"
#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpViewer.h"
#include "tests/help/HelpFileFixture.h"
#ifdef VM_TEST_HAVE_HELP_SERVICE
#include "platform/help/ChmHelp.h"
#endif

namespace vm {
namespace {

using testing::builtHelpFile;
using testing::ScratchFolder;

QString folderOf(const std::string& file) {
  return QString::fromStdString(std::filesystem::path(file).parent_path().string());
}

int helpViewerWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<HelpViewer*>(w)) ++n;
  return n;
}

class Viewer : public ::testing::Test {
 protected:
  void SetUp() override {
    VM_REQUIRE_HELP_FILE();
    backend_ = std::make_unique<ChmHelpBackend>(QStringList{folderOf(builtHelpFile())});
  }
  HelpViewer* viewer() { return backend_->viewer(); }
  std::unique_ptr<ChmHelpBackend> backend_;
};

TEST_F(Viewer, ContentsOpensTheContentsPageWithBothPanesFilled) {
  backend_->showContents(nullptr);
  ASSERT_NE(viewer(), nullptr);
  EXPECT_TRUE(viewer()->isVisible());
  EXPECT_EQ(viewer()->windowTitle(), "Vatmark Help");
  EXPECT_EQ(viewer()->currentPage(), "/index.htm");
  EXPECT_TRUE(viewer()->browser()->toPlainText().contains("Welcome to Vatmark"));
  EXPECT_GE(viewer()->contentsTree()->topLevelItemCount(), 8);
  EXPECT_GE(viewer()->indexList()->count(), 16);
}

TEST_F(Viewer, KeywordsAndTopicsShowTheirPagesInOneReusedWindow) {
  backend_->showKeyword(nullptr, "Browse Brews", "Help topic", "Not found");
  HelpViewer* first = viewer();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->currentPage(), "/BrowseHOMEBREW.htm");
  ASSERT_NE(first->indexList()->currentItem(), nullptr);
  EXPECT_EQ(first->indexList()->currentItem()->text(), "Browse Brews");
  backend_->showTopic(nullptr, "Win_GravityCorrection");
  EXPECT_EQ(viewer()->currentPage(), "/Win_GravityCorrection.htm");
  EXPECT_TRUE(viewer()->browser()->toPlainText().contains("Gravity correction calculator"));
  backend_->showKeyword(nullptr, "Backup drive letter", "Help topic", "Not found");
  EXPECT_EQ(viewer()->currentPage(), "/Win_BackupData.htm");
  viewer()->close();
  backend_->showContents(nullptr);
  EXPECT_EQ(viewer(), first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(helpViewerWindows(), 1);
  // Closing the program's main window ends the program even with help open.
  EXPECT_FALSE(first->testAttribute(Qt::WA_QuitOnClose));
}

// The reply each window asks for when its keyword is missing, shown as it is.
TEST_F(Viewer, MissingKeywordShowsTheWindowsOwnReply) {
  struct Case {
    const char* title;
    const char* text;
  } cases[] = {{"Help topic", "Not found"}, {"Help topic", "Not Found"}};
  for (const auto& c : cases) {
    backend_->showKeyword(nullptr, "No such keyword", c.title, c.text);
    HelpBrowser* page = viewer()->browser();
    EXPECT_EQ(page->messageTitle(), c.title);
    EXPECT_EQ(page->messageText(), c.text);
    EXPECT_EQ(page->toPlainText().trimmed(), QString("%1\n%2").arg(c.title, c.text));
    EXPECT_TRUE(viewer()->currentPage().isEmpty());
  }
  // Back leaves the message for the page before it.
  backend_->showTopic(nullptr, "UpdateHOMEBREW");
  backend_->showKeyword(nullptr, "Brew day", "Help topic", "Not found");
  viewer()->browser()->backward();
  EXPECT_EQ(viewer()->currentPage(), "/UpdateHOMEBREW.htm");
  // A window that names no topic gets the contents page.
  backend_->showTopic(nullptr, "");
  EXPECT_EQ(viewer()->currentPage(), "/index.htm");
  backend_->showTopic(nullptr, "NoSuchWindow");
  EXPECT_EQ(viewer()->browser()->messageTitle(), "Help topic");
  EXPECT_EQ(viewer()->browser()->messageText(), ChmHelpBackend::topicMissingText("NoSuchWindow"));
}

TEST_F(Viewer, PicturesAndStyleSheetComeOutOfTheHelpFile) {
  backend_->showTopic(nullptr, "Win_BackupData");
  QTextDocument* doc = viewer()->browser()->document();
  for (const char* picture : {"images/backup.png", "images/mug.png"}) {
    QVariant data = doc->resource(QTextDocument::ImageResource, QUrl(picture));
    QImage image;
    if (data.canConvert<QImage>()) image = data.value<QImage>();
    if (image.isNull()) image = QImage::fromData(data.toByteArray());
    EXPECT_FALSE(image.isNull()) << picture;
  }
  QVariant css =
      viewer()->browser()->loadResource(QTextDocument::StyleSheetResource, QUrl("vmhelp.css"));
  EXPECT_TRUE(css.toString().contains("h1"));
  // The style sheet took effect: headings are in its colour.
  QTextCursor cursor = doc->find("Making a backup");
  ASSERT_FALSE(cursor.isNull());
  EXPECT_EQ(cursor.charFormat().foreground().color(), QColor("#7a3e00"));
}

TEST_F(Viewer, LinksBackForwardContentsAndIndexNavigate) {
  backend_->showContents(nullptr);
  HelpBrowser* page = viewer()->browser();
  emit page->anchorClicked(QUrl("BrowseBrewName.htm"));
  EXPECT_EQ(viewer()->currentPage(), "/BrowseBrewName.htm");
  emit page->anchorClicked(QUrl("UpdateHOMEBREW.htm#fermentation"));
  EXPECT_EQ(viewer()->currentPage(), "/UpdateHOMEBREW.htm");
  EXPECT_EQ(page->source().fragment(), "fermentation");
  page->backward();
  EXPECT_EQ(viewer()->currentPage(), "/BrowseBrewName.htm");
  page->forward();
  EXPECT_EQ(viewer()->currentPage(), "/UpdateHOMEBREW.htm");
  emit page->anchorClicked(QUrl("NoSuchPage.htm"));
  EXPECT_FALSE(page->messageTitle().isEmpty());

  // Contents pane: a click on an entry opens its page.
  QTreeWidget* tree = viewer()->contentsTree();
  auto found = tree->findItems("Data Backup", Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(found.size(), 1);
  tree->scrollToItem(found[0]);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found[0]).center());
  EXPECT_EQ(viewer()->currentPage(), "/Win_BackupData.htm");

  // Index pane: typing picks the first keyword that starts so, Enter opens it.
  QTest::keyClicks(viewer()->indexFilter(), "unit c");
  ASSERT_NE(viewer()->indexList()->currentItem(), nullptr);
  EXPECT_EQ(viewer()->indexList()->currentItem()->text().trimmed(), "Unit conversion");
  QTest::keyClick(viewer()->indexFilter(), Qt::Key_Return);
  EXPECT_EQ(viewer()->currentPage(), "/Win_UnitConversions.htm");
  // Opening a page marks it in the contents.
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->text(0), "Unit conversion");
}

TEST(ViewerFile, MissingFileSaysSoAndIsFoundOnceItIsThere) {
  ScratchFolder dir;
  QString folder = QString::fromStdString(dir.path().string());
  ChmHelpBackend backend({folder});
  backend.showContents(nullptr);
  ASSERT_NE(backend.viewer(), nullptr);
  HelpBrowser* page = backend.viewer()->browser();
  EXPECT_EQ(page->messageTitle(), ChmHelpBackend::missingTitle());
  EXPECT_TRUE(page->messageText().contains("VMhelp.chm"));
  EXPECT_TRUE(page->messageText().contains(QDir::toNativeSeparators(folder)));
  // A missing file is not a missing keyword.
  backend.showKeyword(nullptr, "Browse Brews", "Help topic", "Not found");
  EXPECT_EQ(page->messageTitle(), ChmHelpBackend::missingTitle());
  backend.showTopic(nullptr, "BrowseHOMEBREW");
  EXPECT_EQ(page->messageTitle(), ChmHelpBackend::missingTitle());
  EXPECT_EQ(backend.viewer()->contentsTree()->topLevelItemCount(), 0);

  VM_REQUIRE_HELP_FILE();
  std::filesystem::copy_file(builtHelpFile(), dir.path() / "VMhelp.chm");
  backend.showTopic(nullptr, "BrowseHOMEBREW");
  EXPECT_EQ(backend.viewer()->currentPage(), "/BrowseHOMEBREW.htm");
  EXPECT_GT(backend.viewer()->contentsTree()->topLevelItemCount(), 0);
}

TEST(ViewerFile, DamagedFileSaysSoWithoutCrashing) {
  ScratchFolder dir;
  std::ofstream(dir.path() / "VMhelp.chm", std::ios::binary) << "ITSF but nothing else";
  ChmHelpBackend backend({QString::fromStdString(dir.path().string())});
  backend.showKeyword(nullptr, "Data Backup", "Help topic", "Not Found");
  ASSERT_NE(backend.viewer(), nullptr);
  HelpBrowser* page = backend.viewer()->browser();
  EXPECT_EQ(page->messageTitle(), ChmHelpBackend::unreadableTitle());
  EXPECT_TRUE(page->messageText().contains(
      QDir::toNativeSeparators(QString::fromStdString((dir.path() / "VMhelp.chm").string()))));
  backend.showContents(nullptr);
  EXPECT_EQ(page->messageTitle(), ChmHelpBackend::unreadableTitle());
}

TEST(ViewerFile, LooksBesideTheProgramThenInTheCurrentFolder) {
  ChmHelpBackend backend;
  QStringList folders = backend.searchFolders();
  ASSERT_FALSE(folders.isEmpty());
  EXPECT_EQ(folders.front(), QCoreApplication::applicationDirPath());
  EXPECT_EQ(folders.back(), QDir::currentPath());
}

TEST_F(Viewer, PlacementIsRestoredOnceAndSavedOnEveryClose) {
  int restored = 0, saved = 0;
  QRect savedGeometry;
  backend_->setPlacement({[&](QWidget* w) {
                            ++restored;
                            w->setGeometry(120, 90, 700, 500);
                          },
                          [&](QWidget* w) {
                            ++saved;
                            savedGeometry = w->geometry();
                          }});
  backend_->showContents(nullptr);
  EXPECT_EQ(restored, 1);
  EXPECT_EQ(viewer()->geometry().size(), QSize(700, 500));
  viewer()->close();
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(savedGeometry.size(), QSize(700, 500));
  backend_->showTopic(nullptr, "Main");
  viewer()->close();
  EXPECT_EQ(restored, 1);
  EXPECT_EQ(saved, 2);
}

// A modal window blocks all others, so help asked for while one is up goes
// with it, and comes back to stand alone afterwards.
TEST_F(Viewer, HelpFromAModalWindowIsNotBlockedByIt) {
  backend_->showContents(nullptr);
  EXPECT_EQ(viewer()->parentWidget(), nullptr);
  {
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    backend_->showKeyword(&dialog, "Program defaults", "Help topic", "Not found");
    ASSERT_NE(viewer(), nullptr);
    EXPECT_EQ(viewer()->parentWidget(), &dialog);
    EXPECT_TRUE(viewer()->isWindow());
    EXPECT_TRUE(viewer()->isVisible());
    EXPECT_EQ(viewer()->currentPage(), "/Win_SetPrgDefaults.htm");
  }
  // The dialog took the viewer with it; the next request makes a new one.
  EXPECT_EQ(viewer(), nullptr);
  backend_->showTopic(nullptr, "BrowseHOMEBREW");
  ASSERT_NE(viewer(), nullptr);
  EXPECT_EQ(viewer()->parentWidget(), nullptr);
  EXPECT_EQ(viewer()->currentPage(), "/BrowseHOMEBREW.htm");
}

// With help open, closing the main window still ends the program, and the
// viewer is gone before the application object.
TEST_F(Viewer, ProgramEndsWhenItsMainWindowClosesWithHelpOpen) {
  QWidget frame;
  frame.show();
  backend_->showContents(&frame);
  ASSERT_TRUE(viewer()->isVisible());
  bool timedOut = false;
  QTimer::singleShot(0, &frame, &QWidget::close);
  QTimer::singleShot(5000, [&] {
    timedOut = true;
    QCoreApplication::quit();
  });
  QApplication::exec();
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(viewer(), nullptr);
}

#ifdef VM_TEST_HAVE_HELP_SERVICE
// The program's own start-up path: the test program sits beside the help
// file the build compiled, as the program does.
TEST(ViewerService, InstalledBackendAnswersTheHelpService) {
  VM_REQUIRE_HELP_FILE();
  ASSERT_EQ(folderOf(builtHelpFile()), QCoreApplication::applicationDirPath());
  installChmHelp();
  helpService().showKeyword(nullptr, "Unit cost", "Help topic", "Not found");
  HelpViewer* shown = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* v = qobject_cast<HelpViewer*>(w); v && v->isVisible()) shown = v;
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->currentPage(), "/Win_CalculateCost.htm");
  setHelpBackend(nullptr);
}
#endif

}  // namespace
}  // namespace vm
