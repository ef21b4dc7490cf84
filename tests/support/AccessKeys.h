#pragma once
// Access keys (the letter after '&') of a form as a person meets them: the visible controls of the
// form itself, its menu bar's titles, each menu and each context menu it owns. Alt and a letter
// reaches only the first control that carries it, so a letter used twice in one form or one menu
// is a fault, in every language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>
#include <map>

namespace cvtest {

// Where keys are used together (a form, a menu) -> letter -> the texts that carry it.
using Keys = std::map<QString, std::map<QString, QStringList>>;

inline QString AccessKey(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text.mid(i + 1, 1).toUpper();
    ++i;
  }
  return {};
}

inline QString TextOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->textFormat() == Qt::RichText ? QString() : l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return {};
}

inline void AddKey(Keys& keys, const QString& where, const QString& text) {
  const QString key = AccessKey(text);
  if (!key.isEmpty()) keys[where][key] << text;
}

inline void CollectMenu(QMenu* menu, const QString& where, Keys& keys) {
  for (QAction* a : menu->actions()) {
    if (!a->isVisible() || a->isSeparator()) continue;
    AddKey(keys, where, a->text());
    if (a->menu()) CollectMenu(a->menu(), where + " > " + a->text(), keys);
  }
}

// The access keys of `form`'s visible controls, of its menu bars and of the context menus it owns
// (a menu that no menu bar or other menu opens).
inline void CollectKeys(QWidget* form, const QString& formKey, Keys& keys) {
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
  for (QMenu* menu : form->findChildren<QMenu*>()) {
    if (!menu->menuAction()->associatedObjects().isEmpty()) continue;  // a menu bar's or a submenu
    CollectMenu(menu, formKey + " context menu " + menu->objectName(), keys);
  }
}

inline void ExpectNoKeyTwice(const Keys& keys, const char* code) {
  for (const auto& [where, letters] : keys)
    for (const auto& [letter, texts] : letters)
      EXPECT_EQ(texts.size(), 1) << code << " " << where.toStdString() << ": access key " << letter.toStdString()
                                 << " on \"" << texts.join("\", \"").toStdString() << "\"";
}

}  // namespace cvtest
