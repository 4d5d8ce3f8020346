// The conformance corpus: every valid GIF loads and its first composed frame matches the
// reference decode; damaged files load or fail cleanly. Skipped when the corpus is absent.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include "view/GIFImage.h"

namespace {

QString CorpusDir() {
  const QByteArray env = qgetenv("LUMIVEX_CORPUS_DIR");
  return env.isEmpty() ? QStringLiteral(LUMIVEX_CORPUS_DIR) : QString::fromLocal8Bit(env);
}

struct Entry {
  QString File, Expectation;
};

std::vector<Entry> GifEntries(const QString& dir) {
  std::vector<Entry> entries;
  QFile manifest(dir + "/MANIFEST.tsv");
  if (!manifest.open(QIODevice::ReadOnly)) return entries;
  QTextStream in(&manifest);
  while (!in.atEnd()) {
    const QStringList cols = in.readLine().split('\t');
    if (cols.size() >= 5 && cols[0] == "gif") entries.push_back({cols[1], cols[4]});
  }
  return entries;
}

// Number of pixels differing from the reference (RGB, transparent parts over black); -1 when
// the sizes differ. With `inside` only pixels within that rectangle count; `outside` then
// receives the differing pixels beyond it.
qint64 Mismatch(const QImage& composite, const QString& referencePath,
                const QRect& inside = QRect(), qint64* outside = nullptr) {
  const QImage ref = QImage(referencePath).convertToFormat(QImage::Format_RGB32);
  if (ref.isNull() || ref.size() != composite.size()) return -1;
  qint64 bad = 0;
  for (int y = 0; y < ref.height(); ++y)
    for (int x = 0; x < ref.width(); ++x) {
      const QRgb c = composite.pixel(x, y);
      const QRgb shown = qAlpha(c) == 0 ? qRgb(0, 0, 0) : c;
      if ((shown & 0xFFFFFF) == (ref.pixel(x, y) & 0xFFFFFF)) continue;
      if (inside.isNull() || inside.contains(x, y))
        ++bad;
      else if (outside)
        ++*outside;
    }
  return bad;
}

}  // namespace

TEST(GIFCorpus, FirstComposedFrameMatchesTheReference) {
  const QString dir = CorpusDir();
  const std::vector<Entry> entries = GifEntries(dir);
  if (entries.empty()) GTEST_SKIP() << "no corpus at " << dir.toStdString();
  int valid = 0;
  for (const Entry& e : entries) {
    TGIFImage w;
    const QString name = QFileInfo(e.File).fileName();
    const bool loaded = w.LoadFromFile(dir + "/" + e.File);
    const QString refBase = dir + "/reference/gif/" + name;
    if (e.Expectation == "valid") {
      ++valid;
      ASSERT_TRUE(loaded) << name.toStdString() << ": " << w.LastError().toStdString();
      // The control starts the screen black; the references fill the part of the screen the
      // first frame leaves uncovered with the file's background colour. Pixels of the first
      // frame must match exactly; the uncovered part must be the control's black.
      const TGIFFrame& first = w.Animation().Frames.front();
      const QRect covered(first.Clip.Left, first.Clip.Top, first.Clip.Width, first.Clip.Height);
      qint64 uncovered = 0;
      EXPECT_EQ(Mismatch(w.Composite(), refBase + ".png", covered, &uncovered), 0)
          << name.toStdString();
      if (uncovered) {
        const QImage c = w.Composite();
        for (int y = 0; y < c.height(); ++y)
          for (int x = 0; x < c.width(); ++x)
            if (!covered.contains(x, y)) {
              ASSERT_EQ(c.pixel(x, y) & 0xFFFFFF, 0u) << name.toStdString();
            }
        std::cout << name.toStdString() << ": " << uncovered
                  << " uncovered pixels black here, background colour in the reference\n";
      }
    } else if (e.Expectation == "invalid") {
      EXPECT_FALSE(loaded) << name.toStdString();
    } else if (loaded) {
      // Questionable files: loading is allowed; a picture must then match one reference.
      qint64 best = Mismatch(w.Composite(), refBase + ".png");
      for (int alt = 1; alt <= 3 && best != 0; ++alt) {
        const QString path = refBase + QString(".alt%1.png").arg(alt);
        if (QFile::exists(path)) {
          const qint64 m = Mismatch(w.Composite(), path);
          if (m == 0) best = 0;
        }
      }
      RecordProperty(name.toStdString(), best == 0 ? "matches" : "differs");
      std::cout << "questionable " << name.toStdString() << ": loaded, "
                << (best == 0 ? "matches a reference" : "differs from the references") << "\n";
    } else {
      std::cout << "questionable " << name.toStdString() << ": refused ("
                << w.LastError().toStdString() << ")\n";
    }
  }
  EXPECT_GT(valid, 10);
}
