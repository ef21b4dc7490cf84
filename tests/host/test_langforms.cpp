// Every language module's texts fit the fixed-size forms wherever the English ones do: the main
// window and each plug-in's tool dialogs, opened from the main window's buttons on the family's
// simulated meter (with the memory settings dialog over a received memory, and the channel and
// block dialogs over a received plan), are measured in English and then in each language built beside the program. A
// longer translation that would be cut, or a caption that grows over the control beside it, fails.
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
#include <QFile>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <map>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Language.h"
#include "LanguageModule.h"
#include "Mainform.h"
#include "Messages.h"

namespace {

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


bool Measured(QWidget* w, Fit& f) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->wordWrap() || l->text().isEmpty() || !l->pixmap().isNull() || l->textFormat() == Qt::RichText) return false;
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

// Access keys by where they are used together (a form with its menu bar's titles, each menu) and
// by letter: the texts that carry the letter.
using Keys = std::map<QString, std::map<QString, QStringList>>;

QString AccessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text.mid(i + 1, 1).toUpper();
    ++i;
  }
  return {};
}

QString TextOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->textFormat() == Qt::RichText ? QString() : l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return {};
}

void AddKey(Keys& keys, const QString& where, const QString& text) {
  const QString key = AccessKey(text);
  if (!key.isEmpty()) keys[where][key] << text;
}

void CollectMenu(QMenu* menu, const QString& where, Keys& keys) {
  for (QAction* a : menu->actions()) {
    if (!a->isVisible() || a->isSeparator()) continue;
    AddKey(keys, where, a->text());
    if (a->menu()) CollectMenu(a->menu(), where + " > " + a->text(), keys);
  }
}

// The access keys of `form`'s visible controls and of its menus.
void CollectKeys(QWidget* form, const QString& formKey, Keys& keys) {
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(form) || w->window() != form) continue;
    AddKey(keys, formKey, TextOf(w));
  }
  for (QMenuBar* bar : form->findChildren<QMenuBar*>()) {
    for (QAction* a : bar->actions()) {
      if (!a->isVisible()) continue;
      AddKey(keys, formKey, a->text());
      if (a->menu()) CollectMenu(a->menu(), formKey + " menu " + a->text(), keys);
    }
  }
}

void ExpectNoKeyTwice(const Keys& keys, const char* code) {
  for (const auto& [where, letters] : keys)
    for (const auto& [letter, texts] : letters)
      EXPECT_EQ(texts.size(), 1) << code << " " << where.toStdString() << ": access key " << letter.toStdString()
                                 << " on \"" << texts.join("\", \"").toStdString() << "\"";
}

struct Family {
  const char* plugin;
  const char* profile;
};
void PrintTo(const Family& f, std::ostream* os) { *os << f.plugin; }

class LanguageForms : public ::testing::TestWithParam<Family> {
 protected:
  void TearDown() override {
    cv::LoadProgramLanguage(0);
    cv::SetProgramPath("");
  }
  // The main window with the family's plug-in bound by detection in language `index`, and each
  // tool dialog its buttons open, as the user sees them.
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
    for (QPushButton* button : {w.EditChBtn, w.EditMemBtn, w.DataLogBtn, w.MonitorBtn, w.SpectrumBtn, w.ConfigBtn,
                                w.UpdateBtn, w.IdentBtn}) {
      if (!button->isEnabled() || !button->isVisible()) continue;
      MeasureModal(nullptr, button->objectName(), out, keys, [button] { button->click(); }, [&](QWidget* tool) {
        auto* receive = tool->findChild<QPushButton*>("ReceiveBtn");
        auto* edit = tool->findChild<QPushButton*>("EditBtn");
        if (!receive || !edit) return;
        // The memory editor's settings dialog, on the first memory received from the meter.
        if (button == w.EditMemBtn) {
          receive->click();
          if (edit->isEnabled())
            MeasureModal(tool, button->objectName() + "/EditBtn", out, keys, [edit] { edit->click(); }, {});
        }
        // The plan editor's channel dialog on the first plan received, and the block dialog over it.
        auto* plans = tool->findChild<QListWidget*>("ChanPlanListBox");
        if (button != w.EditChBtn || !plans) return;
        receive->click();
        if (plans->count() == 0) return;
        plans->setCurrentRow(0);
        if (!edit->isEnabled()) return;
        const QString channels = button->objectName() + "/EditBtn";
        MeasureModal(tool, channels, out, keys, [edit] { edit->click(); }, [&](QWidget* dialog) {
          auto* block = dialog->findChild<QPushButton*>("BlockBtn");
          if (block && block->isEnabled())
            MeasureModal(dialog, channels + "/BlockBtn", out, keys, [block] { block->click(); }, {});
        });
      });
    }
  }
  // Measures the modal form that `open` shows over `under`, runs `inside` on it, and closes it.
  void MeasureModal(QWidget* under, const QString& key, Fits& out, Keys& keys, const std::function<void()>& open,
                    const std::function<void(QWidget*)>& inside) {
    QTimer poll;
    QElapsedTimer since;
    since.start();
    int ticks = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* dlg = QApplication::activeModalWidget();
      if (dlg == under) dlg = nullptr;
      if (!dlg && since.elapsed() < 20000) return;
      poll.stop();
      if (!dlg) {
        ADD_FAILURE() << key.toStdString() << " opened nothing";
        return;
      }
      if (++ticks < 3) return poll.start();  // let the form settle
      Measure(dlg, key, out);
      CollectKeys(dlg, key, keys);
      if (inside) inside(dlg);
      if (auto* d = qobject_cast<QDialog*>(dlg)) {
        d->reject();
      } else {
        dlg->close();
      }
    });
    poll.start(20);
    open();
  }
};

TEST_P(LanguageForms, TranslationsFitWhereEnglishFitsAndKeepTheirAccessKeysApart) {
  Fits english;
  Keys englishKeys;
  ASSERT_NO_FATAL_FAILURE(MeasureForms(0, english, englishKeys));
  ExpectNoKeyTwice(englishKeys, "eng");
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
      const bool englishFits = same == english.end() || same->second.Fits();
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

INSTANTIATE_TEST_SUITE_P(Families, LanguageForms,
                         ::testing::Values(Family{"Cv3Tools", "corvane3"}, Family{"XR9Tools", "xr9"},
                                           Family{"Cv4Tools", "corvane4"}, Family{"CvPlenar", "plenar"},
                                           Family{"DV8Tools", "dv8"}, Family{"Cv2Tools", "corvane2"}),
                         [](const auto& info) { return std::string(info.param.plugin); });

}  // namespace
