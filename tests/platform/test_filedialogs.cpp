#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTest>

#include "FileDialogs.h"
#include "ModalHelper.h"
#include "StartDir.h"

namespace {

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(FileDialogs, WindowsFilterStringsBecomeQtFilters) {
  struct Case {
    QString in;
    QStringList out;
  } cases[] = {
      {"", {}},
      {"PRO files (*.PRO)", {"PRO files (*.PRO)"}},
      {"PRO files (*.PRO)|*.PRO", {"PRO files (*.PRO)"}},
      {"CAN files (*.CAN)|*.CAN|CSV files (*.csv)|*.csv", {"CAN files (*.CAN)", "CSV files (*.csv)"}},
      {"Plans|*.PRO;*.TXT|All|*.*", {"Plans (*.PRO *.TXT)", "All (*.*)"}},
      // A label without its pattern half is dropped rather than offered with no pattern.
      {"CAN files|*.CAN|Dangling", {"CAN files (*.CAN)"}},
  };
  for (const Case& c : cases) EXPECT_EQ(cv::QtNameFilters(c.in), c.out) << c.in.toStdString();
}

TEST(FileDialogs, DefaultExtensionOnlyForNamesWithout) {
  EXPECT_EQ(cv::WithDefaultExtension("/a/plans", "pro"), "/a/plans.pro");
  EXPECT_EQ(cv::WithDefaultExtension("/a/plans.", "pro"), "/a/plans.pro");
  EXPECT_EQ(cv::WithDefaultExtension("/a/plans.txt", "pro"), "/a/plans.txt");
  EXPECT_EQ(cv::WithDefaultExtension("/a.b/plans", "pro"), "/a.b/plans.pro");
  EXPECT_EQ(cv::WithDefaultExtension("/a/plans", ""), "/a/plans");
  EXPECT_EQ(cv::WithDefaultExtension("", "pro"), "");
}

// The helpers move the working directory to the chosen file's folder, and only on OK.
TEST(FileDialogs, ChosenFileMovesTheWorkingDirectory) {
  StartDir start;
  QDir(start.path()).mkpath("sub/deeper");
  cv::RecordingFileChooser chooser;
  cv::FileDialogRequest r;
  r.caption = "Open";
  r.filter = "PRO files (*.PRO)|*.PRO";
  r.defaultExt = "PRO";

  chooser.openAnswers << QStringList{start.filePath("sub/a.PRO")};
  EXPECT_EQ(cv::OpenFileDialog(nullptr, r), start.filePath("sub/a.PRO"));
  EXPECT_EQ(QDir::currentPath(), QDir(start.filePath("sub")).canonicalPath());

  EXPECT_EQ(cv::OpenFileDialog(nullptr, r), "");  // cancelled: stays
  EXPECT_EQ(QDir::currentPath(), QDir(start.filePath("sub")).canonicalPath());

  chooser.saveAnswers << start.filePath("sub/deeper/out");
  EXPECT_EQ(cv::SaveFileDialog(nullptr, r), start.filePath("sub/deeper/out.PRO"));
  EXPECT_EQ(QDir::currentPath(), QDir(start.filePath("sub/deeper")).canonicalPath());

  chooser.folderAnswers << start.path();
  EXPECT_EQ(cv::FolderDialog(nullptr, "Folder"), start.path());
  EXPECT_EQ(QDir::currentPath(), QDir(start.path()).canonicalPath());

  chooser.openAnswers << QStringList{start.filePath("sub/a.PRO"), start.filePath("sub/b.PRO")};
  EXPECT_EQ(cv::OpenFilesDialog(nullptr, r).size(), 2);
  ASSERT_EQ(chooser.opens.size(), 3);
  EXPECT_FALSE(chooser.opens[0].multiSelect);
  EXPECT_TRUE(chooser.opens[2].multiSelect);
  EXPECT_EQ(chooser.folderCaptions, QStringList{"Folder"});
}

// The real open dialog: every filter offered, "*.PRO" shows x.pro, the second filter selectable.
TEST(FileDialogs, RealOpenDialogMatchesWithoutCase) {
  StartDir start;
  Touch(start.filePath("x.pro"));
  Touch(start.filePath("y.txt"));
  Touch(start.filePath("z.CAN"));
  cv::FileDialogRequest r;
  r.filter = "PRO files (*.PRO)|*.PRO|CAN files (*.can)|*.can";
  QStringList shown;
  QStringList offered;
  cvtest::WhenModal<QFileDialog>([&](QFileDialog* d) {
    offered = d->nameFilters();
    auto* view = d->findChild<QAbstractItemView*>("listView");
    // Listing happens on a worker thread; wait until it settles.
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) > 0; }, 3000));
    QTest::qWait(100);
    for (int i = 0; i < view->model()->rowCount(view->rootIndex()); ++i)
      shown << view->model()->index(i, 0, view->rootIndex()).data().toString();
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    d->selectFile("x.pro");
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    if (d->isVisible()) {
      ADD_FAILURE() << "x.pro refused";
      d->reject();
    }
  });
  QString chosen = cv::OpenFileDialog(nullptr, r);
  EXPECT_EQ(offered, (QStringList{"PRO files (*.PRO)", "CAN files (*.can)"}));
  EXPECT_EQ(shown, QStringList{"x.pro"});
  EXPECT_EQ(QFileInfo(chosen).fileName(), "x.pro");
}

// The real save dialog adds the default extension to a name typed without one.
TEST(FileDialogs, RealSaveDialogAddsDefaultExtension) {
  StartDir start;
  QDir(start.path()).mkdir("out");
  cv::FileDialogRequest r;
  r.filter = "PRO files (*.PRO)|*.PRO";
  r.defaultExt = "PRO";
  r.initialDir = start.filePath("out");
  cvtest::WhenModal<QFileDialog>([&](QFileDialog* d) {
    auto* name = d->findChild<QLineEdit*>("fileNameEdit");
    name->setText("plans");
    QMetaObject::invokeMethod(d, "accept", Qt::DirectConnection);
    if (d->isVisible()) {
      ADD_FAILURE() << "name refused";
      d->reject();
    }
  });
  QString chosen = cv::SaveFileDialog(nullptr, r);
  EXPECT_EQ(chosen, QDir(start.filePath("out")).filePath("plans.PRO"));
  EXPECT_EQ(QDir::currentPath(), QDir(start.filePath("out")).canonicalPath());
}

}  // namespace
