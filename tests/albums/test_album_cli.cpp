// `lumivex-cli album print` as a whole process.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "albums/core/AlbumFile.h"
#include "tests/albums/AlbumTestUtil.h"
#include "tests/print/PdfReader.h"

namespace {

struct TCliRun {
  int Status = -1;
  QString Out, Err;
};

TCliRun RunCli(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(LUMIVEX_CLI), args);
  TCliRun run;
  if (!p.waitForFinished(120000)) return run;
  run.Status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  run.Out = QString::fromUtf8(p.readAllStandardOutput());
  run.Err = QString::fromUtf8(p.readAllStandardError());
  return run;
}

}  // namespace

TEST(AlbumCli, PrintsAnAlbumFileToPdfAndNamesThePicturesItCannotLoad) {
  QTemporaryDir dir;
  const std::string photo = WriteSolidPicture(dir.path(), "photo.jpg", 3000, 2000, 0x404040);
  TAlbum album;
  album.Settings.Caption = TCaptionOption::coCaption;
  for (int i = 0; i < 6; ++i) album.Entries.push_back({photo, "Picture " + std::to_string(i + 1)});
  album.Entries.push_back({dir.path().toStdString() + "/gone.jpg", "Lost"});
  const QString alb = dir.path() + "/holiday.alb";
  WriteAlbumFile(album, alb.toStdString());
  const QString pdf = dir.path() + "/holiday.pdf";

  const TCliRun run = RunCli({"album", "print", alb, "--pdf", pdf});
  EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
  EXPECT_EQ(run.Out, QStringLiteral("7 pictures (1 not loaded), 2 pages: ") + pdf + '\n');
  EXPECT_TRUE(run.Err.contains(QStringLiteral("Can't load graphic file ") + dir.path() +
                               QStringLiteral("/gone.jpg")));
  EXPECT_EQ(PdfPageCount(pdf), 2);
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains(QStringLiteral("Picture 6")));
  EXPECT_TRUE(text.contains(QStringLiteral("Lost")));
  const QString images = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
  EXPECT_EQ(images.count(QStringLiteral(" 1650  1100 ")), 6) << images.toStdString();
}

TEST(AlbumCli, BadAlbumsAndCommandLinesFailClearly) {
  QTemporaryDir dir;
  const QString pdf = dir.path() + "/out.pdf";
  const QString bad = QString::fromStdString(WriteFileBytes(dir.path(), "bad.alb", "short"));
  TCliRun run = RunCli({"album", "print", bad, "--pdf", pdf});
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(run.Err.contains(QStringLiteral("not an album file"))) << run.Err.toStdString();
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_EQ(RunCli({"album", "print", dir.path() + "/none.alb", "--pdf", pdf}).Status, 1);
  EXPECT_EQ(RunCli({"album", "print", bad}).Status, 2);
  EXPECT_EQ(RunCli({"album", "show", bad, "--pdf", pdf}).Status, 2);
  EXPECT_EQ(RunCli({"album", "print", bad, "--pdf", pdf, "--paper", "tabloid"}).Status, 2);
}
