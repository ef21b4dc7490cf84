// Every language module's texts fit the fixed-size forms wherever the English ones do: the main
// window, each plug-in's tool dialogs opened from the main window's buttons on the family's
// simulated meter, and the forms a person opens from those (the table `kOpenings`: the host's
// editor, find, CSV viewer, select, about and message box; the memory settings dialog and its
// channel picker, the channel and block dialogs over a received plan, the plan receive choice,
// the data logger's test-point window and sheet, the MPEG-2 analyser) are measured in English
// and then in each language built beside the program. A longer translation that would be cut, or
// a caption that grows over the control beside it, fails; a label whose lines wrap counts by the
// height they take. A status line filled with the widest text it shows while a tool works must
// fit in English too.
// In every language, English included, no access key (the letter after '&') is used twice in one
// form or one menu: Alt and the letter reaches only the first control that has it.
// A translation wider than the English text must fit with a few pixels to spare: the forms are
// measured in this machine's fonts, and another machine's (an oblique drawn from the upright face,
// another family behind the same name) draws the same text a little wider.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <map>

#include "AccessKeys.h"
#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Language.h"
#include "LanguageModule.h"
#include "Mainform.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Printers.h"
#include "ScriptCore.h"
#include "Text1252.h"

namespace {

using cvtest::CollectKeys;
using cvtest::ExpectNoKeyTwice;
using cvtest::Keys;

// What a translation leaves spare beyond its text: 3 %, at least 2 pixels.
int Slack(int need) { return std::max(2, (need * 3 + 99) / 100); }

// A control's text: what its widest line needs, in pixels, against what the control gives it.
// A control sized by the form (not by its text or a layout) must keep `slack` pixels spare.
struct Fit {
  QString text;
  int need = 0;
  int have = 0;
  bool given = false;
  bool sizedToText = false;
  bool always = false;  // must fit in every language, English included
  bool Fits(bool withSlack = false) const { return need + (withSlack && given ? Slack(need) : 0) <= have; }
};
using Fits = std::map<QString, Fit>;  // by form and control path

int TextWidth(const QFontMetrics& fm, QString text) {
  text.replace("&&", "\x01");
  text.remove('&');
  text.replace('\x01', '&');
  int widest = 0;
  for (const QString& line : text.split('\n')) widest = std::max(widest, fm.horizontalAdvance(line));
  return widest;
}

// A control's place in its form: the object names from the form down, an unnamed control by its
// position among its parent's children (forms build their controls in the same order in every
// language).
QString PathOf(QWidget* w, QWidget* form) {
  QStringList parts;
  for (QWidget* p = w; p && p != form; p = p->parentWidget()) {
    QString part = p->objectName();
    if (part.isEmpty() && p->parentWidget()) part = QString("#%1").arg(p->parentWidget()->children().indexOf(p));
    parts.prepend(part);
  }
  return parts.join('/');
}

// Whether a layout places `w`: then it is given what its text asks.
bool InLayout(QWidget* w) {
  QWidget* parent = w->parentWidget();
  if (!parent) return false;
  for (QLayout* l : parent->findChildren<QLayout*>())
    if (l->indexOf(w) >= 0) return true;
  return false;
}


// The property of a label a test filled with the widest text the form shows in it while it works.
constexpr const char* kFilled = "cvFilledToFit";

bool Measured(QWidget* w, Fit& f) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->text().isEmpty() || !l->pixmap().isNull() || l->textFormat() == Qt::RichText) return false;
    if (l->wordWrap()) {
      // Its lines wrap at its width: what counts is the height they take, and a word wider than
      // the label.
      const QRect room = l->contentsRect();
      const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 100000),
                                         static_cast<int>(l->alignment()) | Qt::TextWordWrap, l->text());
      // A word wider than the label runs out of it at any height.
      f = {l->text(), need.width() > room.width() ? room.height() + need.width() : need.height(), room.height()};
      f.always = l->property(kFilled).toBool();
      return true;
    }
    f = {l->text(), TextWidth(fm, l->text()), l->contentsRect().width()};
  } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    auto* b = static_cast<QAbstractButton*>(w);
    f = {b->text(), b->sizeHint().width() - 2, b->width()};  // the style's hint keeps a pixel or two spare
  } else if (auto* b = qobject_cast<QPushButton*>(w)) {
    if (b->text().isEmpty()) return false;
    const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
    f = {b->text(), TextWidth(fm, b->text()) + icon + 2, b->width()};
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    if (g->title().isEmpty()) return false;
    f = {g->title(), TextWidth(fm, g->title()) + 12, g->width()};
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (c->count() == 0) return false;
    int widest = 0;
    for (int i = 0; i < c->count(); ++i) widest = std::max(widest, TextWidth(fm, c->itemText(i)));
    f = {c->itemText(0), widest + 28, c->width()};  // the arrow and the frame
  } else {
    return false;
  }
  // The form gave the control its size, or a layout places it, or it was shown unsized and took
  // its text's.
  f.given = w->testAttribute(Qt::WA_Resized) && !InLayout(w);
  f.sizedToText = !f.given && !InLayout(w);
  return true;
}

// The status line of a form that runs a script ("RemoteLabel"): while an update file goes out it
// says how long the run has taken and will take in all, its widest text. It must show whole in
// every language, English included.
void FillStatusLines(QWidget* form) {
  const QString sending =
      cv::From1252(cv::script::Subst(cv::Msg(cv::msg::ScriptSendingTime), {"59:59", "59:59"}));
  for (QLabel* l : form->findChildren<QLabel*>("RemoteLabel")) {
    if (!l->isVisibleTo(form)) continue;
    l->setText(sending);
    l->setProperty(kFilled, true);
  }
}

// Every visible control with a text in `form`, and every such control that lies over a visible
// sibling made after it (a caption sized to its text can grow over the field beside it; such a
// caption counts with its slack, in every language alike; a layout moves the field instead).
void Measure(QWidget* form, const QString& formKey, Fits& out) {
  for (QWidget* w : form->findChildren<QWidget*>()) {
    Fit f;
    if (!w->isVisibleTo(form) || !Measured(w, f)) continue;
    const QString key = formKey + "/" + PathOf(w, form);
    out[key] = f;
    if (!w->parentWidget() || qobject_cast<QComboBox*>(w)) continue;
    const QObjectList& siblings = w->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
      auto* s = qobject_cast<QWidget*>(siblings[i]);
      if (!s || s->isWindow() || !s->isVisibleTo(form)) continue;
      const int grow = f.sizedToText ? Slack(f.need) : 0;
      const QRect over = w->geometry().adjusted(0, 0, grow, 0).intersected(s->geometry());
      if (over.width() > 2 && over.height() > 2) out[key + " over " + PathOf(s, form)] = {f.text, over.width(), 0};
    }
  }
}

// A form opened from another one, as a person opens it: `from` is the key of the form it opens
// from, `when` a control that form must have (the forms are the plug-in's, of its own copy of the
// framework, so a family's form is told by its controls' names), `open` does what the person does.
// Qt's own dialogs (file, print, page set-up) and the terminal's console, which draws its screen
// as text, have no access keys of the program's.
struct Opening {
  const char* from;
  const char* name;
  const char* when;
  std::function<void(QWidget* from)> open;
};

template <class T = QWidget>
T* Named(QWidget* form, const char* name) {
  T* c = form->findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

void Press(QWidget* form, const char* name) {
  auto* b = Named<QAbstractButton>(form, name);
  ASSERT_TRUE(b && b->isEnabled()) << name;
  b->click();
}

// Ticks the first line of a check list; false when it has none.
bool TickFirst(QListWidget* list) {
  if (!list || list->count() == 0) return false;
  list->item(0)->setCheckState(Qt::Checked);
  list->setCurrentRow(0);
  return true;
}

TMainForm& Main(QWidget* w) { return *static_cast<TMainForm*>(w); }

// The host's own forms do not change with the plug-in: the first family's row opens them.
const Opening kOpenings[] = {
    {"main", "EditButton", nullptr, [](QWidget* w) { Main(w).EditButtonClick(); }},
    {"EditButton", "SpeedSearchBtn", nullptr,
     [](QWidget* pad) {
       Named<QPlainTextEdit>(pad, "Memo")->setPlainText("CvTools");
       Press(pad, "SpeedSearchBtn");
     }},
    {"main", "CSVButton", nullptr, [](QWidget* w) { Main(w).CSVButtonClick(); }},
    {"main", "SelectBtn", nullptr, [](QWidget* w) { Main(w).SelectBtnClick(); }},
    {"main", "About", nullptr, [](QWidget* w) { Main(w).HelpAbout(); }},
    {"main", "MessageBox", nullptr,
     [](QWidget*) {
       cv::Prompter& recording = cv::CurrentPrompter();
       cv::SetPrompter(nullptr);
       cv::CurrentPrompter().Message(cv::MsgIcon::Question, "?", "?",
                                     cv::MsgYes | cv::MsgNo | cv::MsgYesToAll | cv::MsgOk | cv::MsgCancel);
       cv::SetPrompter(&recording);
     }},
    // The memory settings dialog on the first memory received, and its channel picker.
    {"EditMemBtn", "EditBtn", "ReceiveBtn",
     [](QWidget* tool) {
       Press(tool, "ReceiveBtn");
       Press(tool, "EditBtn");
     }},
    {"EditMemBtn/EditBtn", "ModifyChannelBtn", nullptr, [](QWidget* d) { Press(d, "ModifyChannelBtn"); }},
    // The channel dialog on the first plan received, and the block dialog over it.
    {"EditChBtn", "EditBtn", "ChanPlanListBox",
     [](QWidget* tool) {
       Press(tool, "ReceiveBtn");
       auto* plans = Named<QListWidget>(tool, "ChanPlanListBox");
       ASSERT_TRUE(plans && plans->count() > 0);
       plans->setCurrentRow(0);
       Press(tool, "EditBtn");
     }},
    {"EditChBtn/EditBtn", "BlockBtn", nullptr, [](QWidget* d) { Press(d, "BlockBtn"); }},
    // The TV MIRELTO plan editor's choice of the plans to receive.
    {"EditChBtn", "ReceiveBtn", "ComPlanListBox", [](QWidget* tool) { Press(tool, "ReceiveBtn"); }},
    // The data logger's test-point name window (a double click on a ticked test point) and its
    // sheet, which the data's download opens where a printer is installed.
    {"DataLogBtn", "TPCheckListBox", "TPCheckListBox",
     [](QWidget* tool) {
       Press(tool, "ReceiveNamesBtn");
       auto* points = Named<QListWidget>(tool, "TPCheckListBox");
       ASSERT_TRUE(TickFirst(points));
       emit points->itemDoubleClicked(points->item(0));
     }},
    {"DataLogBtn", "ReceiveDataBtn", "TPCheckListBox",
     [](QWidget* tool) {
       ASSERT_TRUE(TickFirst(Named<QListWidget>(tool, "MemCheckListBox")));
       cv::SetInstalledPrinterCount(1);
       Press(tool, "ReceiveDataBtn");
       cv::SetInstalledPrinterCount(-1);
     }},
    // The MPEG-2 analyser of the update dialog.
    {"UpdateBtn", "Mpeg2Btn", "Mpeg2Btn", [](QWidget* d) { Press(d, "Mpeg2Btn"); }},
};

struct Family {
  const char* plugin;
  const char* profile;
  bool identifier = false;  // the plug-in has the channel identifier, whose button the host keeps hidden
};
void PrintTo(const Family& f, std::ostream* os) { *os << f.plugin; }
const Family kFamilies[] = {{"Cv3Tools", "corvane3"}, {"XR9Tools", "xr9"},      {"Cv4Tools", "corvane4"},
                            {"CvPlenar", "plenar", true},   {"DV8Tools", "dv8"},      {"Cv2Tools", "corvane2"}};

class LanguageForms : public ::testing::TestWithParam<Family> {
 protected:
  void TearDown() override {
    cv::LoadProgramLanguage(0);
    cv::SetProgramPath("");
  }
  // The main window with the family's plug-in bound by detection in language `index`, each tool
  // dialog its buttons open and the forms opened from those, as the user sees them.
  void MeasureForms(int index, Fits& out, Keys& keys) {
    const Family& f = GetParam();
    HostHome home;
    cv::RecordingPrompter prompter;
    std::unique_ptr<cvsim::Simulator> sim;
    ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, f.plugin, f.profile, sim));
    const QString module = QString("%1.%2").arg(f.plugin, cv::LanguageOf(index).code);
    if (index) {
      ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR "/") + module, home.filePath(module))) << module.toStdString();
    }
    cv::SetProgramPath(std::string(CV_BIN_DIR) + "/CvTools");
    ASSERT_TRUE(cv::LoadProgramLanguage(index));
    TMainForm w;
    w.show();
    w.DetectBtnClick();
    ASSERT_NE(w.equipment, nullptr);
    w.UpdateTools();
    Measure(&w, "main", out);
    CollectKeys(&w, "main", keys);
    if (std::string(f.plugin) == kFamilies[0].plugin) OpenFrom(&w, "main", out, keys);
    for (QPushButton* button : {w.EditChBtn, w.EditMemBtn, w.DataLogBtn, w.MonitorBtn, w.SpectrumBtn, w.ConfigBtn,
                                w.UpdateBtn, w.IdentBtn}) {
      if (!button->isEnabled() || !button->isVisible()) continue;
      MeasureModal(nullptr, button->objectName(), out, keys, [button] { button->click(); });
    }
    if (f.identifier) MeasureModal(nullptr, "IdentBtn", out, keys, [&w] { w.IdentBtnClick(); });
  }
  // Opens, measures and closes each form of the table that opens from `form` (known as `key`).
  void OpenFrom(QWidget* form, const QString& key, Fits& out, Keys& keys) {
    for (const Opening& o : kOpenings) {
      if (key != o.from || (o.when && !form->findChild<QWidget*>(o.when))) continue;
      const QString opened = key == "main" ? QString(o.name) : key + "/" + o.name;
      MeasureModal(form, opened, out, keys, [&] { o.open(form); });
    }
  }
  // Measures the form that `open` shows over `under` (a modal one, or a window of `under`'s own),
  // then the forms opened from it, and closes it.
  void MeasureModal(QWidget* under, const QString& key, Fits& out, Keys& keys, const std::function<void()>& open) {
    QTimer poll;
    QElapsedTimer since;
    since.start();
    int ticks = 0;
    QEventLoop modeless;  // where a form that is not modal is waited for
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* dlg = QApplication::activeModalWidget();
      if (dlg == under) dlg = nullptr;
      if (!dlg && under)
        for (QDialog* d : under->findChildren<QDialog*>())
          if (d->isVisible()) dlg = d;
      if (!dlg && since.elapsed() < 20000) return;
      poll.stop();
      if (!dlg) {
        ADD_FAILURE() << key.toStdString() << " opened nothing";
        return modeless.quit();
      }
      if (++ticks < 3) return poll.start();  // let the form settle
      FillStatusLines(dlg);
      Measure(dlg, key, out);
      CollectKeys(dlg, key, keys);
      OpenFrom(dlg, key, out, keys);
      if (auto* d = qobject_cast<QDialog*>(dlg)) {
        d->reject();
      } else {
        dlg->close();
      }
      modeless.quit();
    });
    poll.start(20);
    open();
    if (poll.isActive()) modeless.exec();
  }
};

TEST_P(LanguageForms, TranslationsFitWhereEnglishFitsAndKeepTheirAccessKeysApart) {
  Fits english;
  Keys englishKeys;
  ASSERT_NO_FATAL_FAILURE(MeasureForms(0, english, englishKeys));
  ExpectNoKeyTwice(englishKeys, "eng");
  for (const auto& [key, fit] : english) {
    EXPECT_TRUE(!fit.always || fit.Fits(true))
        << "eng " << key.toStdString() << ": \"" << fit.text.toStdString() << "\" needs " << fit.need << " px, has "
        << fit.have << " px";
  }
  int languages = 0;
  for (int index = 1; index < cv::kLanguageCount; ++index) {
    const char* code = cv::LanguageOf(index).code;
    if (!QFile::exists(QString("%1/%2.%3").arg(CV_BIN_DIR, GetParam().plugin, code))) continue;
    ++languages;
    Fits translated;
    Keys keys;
    ASSERT_NO_FATAL_FAILURE(MeasureForms(index, translated, keys));
    ExpectNoKeyTwice(keys, code);
    for (const auto& [key, fit] : translated) {
      auto same = english.find(key);
      const bool englishFits = same == english.end() || same->second.Fits() || fit.always;
      // No wider than the English text, it fits wherever that does; wider, it keeps its slack.
      const bool asEnglish = same != english.end() && fit.need <= same->second.need && fit.Fits();
      EXPECT_TRUE(!englishFits || asEnglish || fit.Fits(true))
          << code << " " << key.toStdString() << ": \"" << fit.text.toStdString() << "\" needs " << fit.need
          << " px and " << (fit.given ? Slack(fit.need) : 0) << " spare, has " << fit.have << " px (English \""
          << (same == english.end() ? std::string() : same->second.text.toStdString()) << "\")";
    }
  }
  EXPECT_GT(languages, 0) << "no language module beside the program";
}

INSTANTIATE_TEST_SUITE_P(Families, LanguageForms, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) { return std::string(info.param.plugin); });

}  // namespace
