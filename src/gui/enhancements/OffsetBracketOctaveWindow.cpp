#include "gui/enhancements/OffsetBracketOctaveWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "gui/enhancements/DecorationWidget.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sono {

namespace {

QRadioButton* option(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
}

} // namespace

OffsetBracketOctaveWindow::OffsetBracketOctaveWindow(Services& services)
    : EnhancementWindow(services), saved_(saveProgram(services.state.program.table())) {
    using namespace enh;
    auto* statement =
        label(this, "Label1",
              QStringLiteral("Offset and Bracket functions are included to address the following "
                             "statement made by the Consumer Guide To Vero Generators."),
              true);
    auto* quote =
        label(this, "Label2",
              QStringLiteral("In any pure culture there are always mutant strains, typically about 20% "
                             "of the microbes present. These do not respond to the center frequency, "
                             "but to a frequency of 1 to 2 hertz off the center."),
              true);
    QFont italic = quote->font();
    italic.setItalic(true);
    quote->setFont(italic);

    auto* octaveFrame = new QGroupBox(QStringLiteral(" Octave Shifting "), this);
    octaveFrame->setObjectName(QStringLiteral("Frame2"));
    octaveUp_ = option(octaveFrame, "Option2_0", QStringLiteral("Octave Up"),
                       QStringLiteral(" Move your program up 1 octave "));
    octaveDown_ = option(octaveFrame, "Option2_1", QStringLiteral("Octave Down"),
                         QStringLiteral(" Move your program down 1 octave "));
    restore_ = option(octaveFrame, "Option2_2", QStringLiteral("Restore program"),
                      QStringLiteral(" Restore original program "));
    octaveUp_->setChecked(true);
    auto* octaveOk = button(octaveFrame, "Command2", QStringLiteral("OK"));
    octaveOk->setAccessibleName(QStringLiteral("Apply octave shift"));
    auto* octaveLayout = new QVBoxLayout(octaveFrame);
    octaveLayout->addWidget(octaveUp_);
    octaveLayout->addWidget(octaveDown_);
    octaveLayout->addWidget(restore_);
    octaveLayout->addWidget(octaveOk, 0, Qt::AlignRight);

    auto* offsetFrame = new QGroupBox(QStringLiteral(" Offset / Bracket "), this);
    offsetFrame->setObjectName(QStringLiteral("Frame1"));
    offset_ = option(offsetFrame, "Option1_1", QStringLiteral("Add Offset"),
                     QStringLiteral(" Will add a Positive or Negative offset to your program "));
    bracket_ = option(offsetFrame, "Option1_0", QStringLiteral("Add Bracket"),
                      QStringLiteral("Will add both a Positive and Negative bracket to your program "));
    offset_->setChecked(true);
    prompt_ = label(offsetFrame, "Label3", QStringLiteral("Enter + or - value"));
    prompt_->setMinimumWidth(prompt_->sizeHint().width());
    value_ = box(offsetFrame, "Text1", prompt_, QStringLiteral("1"));
    value_->setAccessibleName(QStringLiteral("Offset or bracket value"));
    value_->setToolTip(QStringLiteral(" A low value of 1, 2 or 3 is suggested "));
    auto* offsetOk = button(offsetFrame, "Command3", QStringLiteral("OK"));
    offsetOk->setAccessibleName(QStringLiteral("Apply offset or bracket"));
    auto* offsetLayout = new QGridLayout(offsetFrame);
    offsetLayout->addWidget(offset_, 0, 0);
    offsetLayout->addWidget(bracket_, 1, 0);
    offsetLayout->addWidget(prompt_, 0, 1);
    offsetLayout->addWidget(value_, 1, 1);
    offsetLayout->addWidget(offsetOk, 2, 1, Qt::AlignRight);
    connect(bracket_, &QRadioButton::toggled, this, [this](bool on) {
        prompt_->setText(on ? QStringLiteral("Enter + value") : QStringLiteral("Enter + or - value"));
    });

    auto* closeButton = button(this, "Command1", QStringLiteral("Close"));
    connect(octaveOk, &QPushButton::clicked, this, &OffsetBracketOctaveWindow::applyOctave);
    connect(offsetOk, &QPushButton::clicked, this, &OffsetBracketOctaveWindow::applyOffsetOrBracket);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* head = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    texts->addWidget(statement);
    texts->addWidget(quote);
    head->addLayout(texts, 1);
    head->addWidget(new DecorationWidget(this), 0, Qt::AlignTop);
    auto* frames = new QHBoxLayout;
    frames->addWidget(octaveFrame);
    frames->addWidget(offsetFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(frames);
    layout->addWidget(closeButton, 0, Qt::AlignRight);
    setMinimumWidth(480);
    // Until this window goes, it is the table's only writer; the close box enables the main window too.
    disableWhileOpen(services.mainWindow, this);
    finishOpening(QStringLiteral("Sono - Offset Bracket Octave"), true);
}

void OffsetBracketOctaveWindow::applyOctave() {
    ProgramDocument& program = services_.state.program;
    if (octaveUp_->isChecked())
        report(program.reshape(octaveUp), false);
    else if (octaveDown_->isChecked())
        report(program.reshape(octaveDown), false);
    else if (restore_->isChecked())
        report(program.reshape([this](ProgramTable& table) { return restoreProgram(table, saved_); }), false);
}

void OffsetBracketOctaveWindow::applyOffsetOrBracket() {
    const bool bracket = bracket_->isChecked();
    report(services_.state.program.reshape([&](ProgramTable& table) {
        return bracket ? addBracket(table, saved_, value_->text()) : addOffset(table, saved_, value_->text());
    }),
           false);
}

} // namespace sono
