#include "app/HelpSearch.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "platform/Messages.h"

QString HelpFolder() {
  // Beside the program in the build tree; under share/lumivex once installed.
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/help");
  const QString installed =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lumivex/help");
  if (!QDir(beside).exists() && QDir(installed).exists()) return QDir::cleanPath(installed);
  return beside;
}

QUrl HelpPage(const QString& name) { return QUrl::fromLocalFile(HelpFolder() + '/' + name); }

namespace {

// The page's title and its text without markup.
THelpTopic ReadTopic(const QString& path, QString& text) {
  QFile file(path);
  THelpTopic topic{QString(), path};
  if (!file.open(QIODevice::ReadOnly)) return topic;
  const QString html = QString::fromUtf8(file.read(4 * 1024 * 1024));
  static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression markup(QStringLiteral("<[^>]*>"));
  const QRegularExpressionMatch m = title.match(html);
  topic.Title = m.hasMatch() ? m.captured(1).simplified() : QFileInfo(path).completeBaseName();
  text = QString(html).replace(markup, QStringLiteral(" "));
  text.replace(QLatin1String("&gt;"), QLatin1String(">")).replace(QLatin1String("&lt;"), QLatin1String("<"));
  text.replace(QLatin1String("&amp;"), QLatin1String("&"));
  return topic;
}

}  // namespace

QList<THelpTopic> SearchHelpPages(const QString& folder, const QString& words) {
  const QStringList wanted = words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  QList<THelpTopic> found;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
    QString text;
    const THelpTopic topic = ReadTopic(dir.filePath(name), text);
    bool all = true;
    for (const QString& w : wanted) all = all && text.contains(w, Qt::CaseInsensitive);
    if (all) found << topic;
  }
  return found;
}

TfHelpSearch::TfHelpSearch(QWidget* parent) : QDialog(parent), FFolder(HelpFolder()) {
  setObjectName("TfHelpSearch");
  setWindowTitle("Search For Help On");
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel("&Type the words you are looking for:", this);
  layout->addWidget(prompt);
  FWords = new QLineEdit(this);
  FWords->setObjectName("Words");
  prompt->setBuddy(FWords);
  layout->addWidget(FWords);
  layout->addWidget(new QLabel("Topics found (choose one to display it):", this));
  FTopics = new QListWidget(this);
  FTopics->setObjectName("Topics");
  layout->addWidget(FTopics, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* display = buttons->addButton("&Display", QDialogButtonBox::AcceptRole);
  display->setDefault(true);  // Enter displays the chosen topic
  buttons->addButton(QDialogButtonBox::Close);
  layout->addWidget(buttons);
  connect(FWords, &QLineEdit::textChanged, this, [this] { Search(); });
  connect(FTopics, &QListWidget::itemActivated, this, [this] { Display(); });
  connect(display, &QPushButton::clicked, this, [this] { Display(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(420, 360);
}

void TfHelpSearch::Start() {
  FWords->clear();
  Search();
  show();
  raise();
  activateWindow();
  FWords->setFocus();
}

void TfHelpSearch::Search() {
  FTopics->clear();
  for (const THelpTopic& t : SearchHelpPages(FFolder, FWords->text())) {
    auto* item = new QListWidgetItem(t.Title, FTopics);
    item->setData(Qt::UserRole, t.File);
  }
  if (FTopics->count() > 0) FTopics->setCurrentRow(0);
}

void TfHelpSearch::Display() {
  const QListWidgetItem* item = FTopics->currentItem();
  if (!item) return;
  OpenOnDesktop(this, QUrl::fromLocalFile(item->data(Qt::UserRole).toString()));
}

bool OpenOnDesktop(QWidget* parent, const QUrl& url) {
  if (QDesktopServices::openUrl(url)) return true;
  const QString what = url.isLocalFile() ? url.toLocalFile() : url.toString();
  ShowMessage(parent, "No program is set up on this desktop to open " + what + ".");
  return false;
}
