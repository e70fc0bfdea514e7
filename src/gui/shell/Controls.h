#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

// Small builders for the enhancement windows' controls: each gets its form name and a name a screen
// reader can speak.
namespace sono::enh {

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

inline QLabel* label(QWidget* parent, const char* name, const QString& text, bool wrap = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(wrap);
    return l;
}

// A text box whose caption label is its buddy, so the caption names it.
inline QLineEdit* box(QWidget* parent, const char* name, QLabel* caption, const QString& text = {}) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAccessibleName(caption->text().trimmed());
    caption->setBuddy(e);
    return e;
}

} // namespace sono::enh
