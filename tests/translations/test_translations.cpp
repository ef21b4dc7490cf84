// The translation check, run on copies of the shipped modules: it passes on them as they are, and
// each fault planted in a copy fails it with a line naming the module, the text and the rule.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& data) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

// Copies of the four shipped CvTools modules and the reviewed lists, in a folder of their own.
class TranslationCheck : public ::testing::Test {
 public:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Fresh()); }
  void Fresh() {
    ASSERT_TRUE(dir.isValid());
    for (const QString& f : QDir(dir.path()).entryList(QDir::Files)) QFile::remove(dir.filePath(f));
    for (const char* code : {"esp", "cat", "deu", "fra"}) {
      const QString module = QString("CvTools.%1").arg(code), list = QString("%1.same.txt").arg(code);
      ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR "/") + module, dir.filePath(module))) << module.toStdString();
      if (QFile::exists(QString(CV_LANG_DIR "/") + list)) {
        ASSERT_TRUE(QFile::copy(QString(CV_LANG_DIR "/") + list, dir.filePath(list)));
      }
    }
  }
  // Replaces the text of `id` in a module copy; an empty text takes the line away.
  void SetText(const char* code, int id, const QString& text) {
    const QString path = dir.filePath(QString("CvTools.%1").arg(code));
    QString content = QString::fromUtf8(ReadAll(path));
    QRegularExpression line(QString("^%1\\t[^\\n]*\\n").arg(id), QRegularExpression::MultilineOption);
    ASSERT_TRUE(content.contains(line)) << code << " " << id;
    content.replace(line, text.isEmpty() ? QString() : QString("%1\t%2\n").arg(id).arg(text));
    ASSERT_TRUE(WriteAll(path, content.toUtf8()));
  }
  void AddLine(const char* code, const QString& line) {
    const QString path = dir.filePath(QString("CvTools.%1").arg(code));
    ASSERT_TRUE(WriteAll(path, ReadAll(path) + line.toUtf8() + "\n"));
  }
  // The check's exit code and output over the four copies.
  int Run(QString& output) {
    QStringList args{"--same", dir.path()};
    for (const char* code : {"esp", "cat", "deu", "fra"}) args << dir.filePath(QString("CvTools.%1").arg(code));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(CV_LIST_MISSING_TEXTS, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  QTemporaryDir dir;
};

TEST_F(TranslationCheck, ShippedModulesPass) {
  QString out;
  EXPECT_EQ(Run(out), 0) << out.toStdString();
}

TEST_F(TranslationCheck, EachPlantedFaultFailsNamingIt) {
  struct Case {
    const char* name;
    std::function<void(TranslationCheck&)> plant;
    QString expected;  // a line of the check's output
  } cases[] = {
      {"an English text pasted", [](TranslationCheck& t) { t.SetText("fra", 30004, "Detect"); },
       "CvTools.fra: text 30004 is the English text \"Detect\""},
      {"a list one item short",
       [](TranslationCheck& t) {
         t.SetText("deu", 39104, "Pegel|Video/Audio|Leistung|C/N auto|BER QPSK|BER QAM|BER COFDM");
       },
       "CvTools.deu: text 39104 has 7 '|' items, the English one 8"},
      // One item too many would shift every later index of the combo as surely as one too few.
      {"a list one item long",
       [](TranslationCheck& t) {
         t.SetText("fra", 39104, "Niveau|Video/Audio|Puissance|C/N auto|BER QPSK|BER QAM|BER COFDM|C/N ref.|MER");
       },
       "CvTools.fra: text 39104 has 9 '|' items, the English one 8"},
      {"an id English lacks", [](TranslationCheck& t) { t.AddLine("esp", "29999\tTexto antiguo"); },
       "CvTools.esp: text 29999 is not in the English table: \"Texto antiguo\""},
      {"a text taken away", [](TranslationCheck& t) { t.SetText("cat", 30004, ""); },
       "CvTools.cat: 1 of "},
      {"other conversions", [](TranslationCheck& t) { t.SetText("deu", 1290, "Protokolldatei %d erstellt"); },
       "CvTools.deu: text 1290 has other conversions than the English one"},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(Fresh());
    ASSERT_NO_FATAL_FAILURE(c.plant(*this));
    QString out;
    EXPECT_EQ(Run(out), 1) << c.name << "\n" << out.toStdString();
    EXPECT_TRUE(out.contains(c.expected)) << c.name << ": no \"" << c.expected.toStdString() << "\" in\n"
                                          << out.toStdString();
  }
}

}  // namespace
