#include "gui/database/RecordEditorWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/database/RecordEdit.h"
#include "core/database/RecordText.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sono {

namespace {

// Typing into a frequency box replaces its value: focus and clicks select the whole text.
class SlotBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        // After the mouse press has placed the cursor.
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLineEdit::mouseReleaseEvent(event);
        if (!hasSelectedText()) selectAll();
    }
};

} // namespace

RecordEditorWindow::RecordEditorWindow(Services& services) : QWidget(nullptr), services_(services) {
    setObjectName(QStringLiteral("Form2"));
    const AppState& state = services_.state;
    const bool editing = state.EditorMode == 2;
    setWindowTitle(editing ? QStringLiteral("Sono - EDIT Database Entry")
                           : QStringLiteral("Sono - NEW Database Entry"));

    auto* descriptionLabel = new QLabel(QStringLiteral("Description"), this);
    descriptionLabel->setObjectName(QStringLiteral("Label2"));
    description_ = new QLineEdit(this);
    description_->setObjectName(QStringLiteral("Text1"));
    description_->setAccessibleName(QStringLiteral("Description"));
    descriptionLabel->setBuddy(description_);
    auto* commentsLabel = new QLabel(QStringLiteral("Comments"), this);
    commentsLabel->setObjectName(QStringLiteral("Label3"));
    comments_ = new QPlainTextEdit(this);
    comments_->setObjectName(QStringLiteral("Text2"));
    comments_->setAccessibleName(QStringLiteral("Comments"));
    comments_->setTabChangesFocus(true);
    comments_->setFixedHeight(comments_->fontMetrics().lineSpacing() * 4 + 12);
    commentsLabel->setBuddy(comments_);

    auto* grid = new QGridLayout;
    for (int column = 0; column < 4; ++column) {
        auto* heading = new QLabel(QStringLiteral("F%1").arg(column * 10 + 1), this);
        heading->setObjectName(QStringLiteral("Label1_%1").arg(column));
        grid->addWidget(heading, 0, column);
        for (int row = 0; row < 10; ++row) {
            const int index = column * 10 + row;
            auto* box = new SlotBox(this);
            box->setObjectName(QStringLiteral("Text3_%1").arg(index));
            box->setAccessibleName(QStringLiteral("F%1").arg(index + 1));
            box->setToolTip(QStringLiteral("F%1").arg(index + 1));
            slots_[index] = box;
            grid->addWidget(box, row + 1, column);
        }
    }

    priorLabel_ = new QLabel(QStringLiteral("Your frequencies prior to you editing them ;-)"), this);
    priorLabel_->setObjectName(QStringLiteral("Label4"));
    prior_ = new QPlainTextEdit(this);
    prior_->setObjectName(QStringLiteral("Text4"));
    prior_->setAccessibleName(priorLabel_->text());
    prior_->setReadOnly(true);
    prior_->setFixedHeight(prior_->fontMetrics().lineSpacing() * 3 + 12);
    priorLabel_->setBuddy(prior_);

    auto* save = new QPushButton(QStringLiteral("Save and Exit"), this);
    save->setObjectName(QStringLiteral("Command1"));
    auto* exit = new QPushButton(QStringLiteral("Exit - Do Not Save"), this);
    exit->setObjectName(QStringLiteral("Command2"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(descriptionLabel);
    layout->addWidget(description_);
    layout->addWidget(commentsLabel);
    layout->addWidget(comments_);
    layout->addLayout(grid);
    layout->addWidget(priorLabel_);
    layout->addWidget(prior_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(exit);
    layout->addLayout(buttons);

    priorLabel_->setVisible(editing);
    prior_->setVisible(editing);
    if (const FrequencyRecord* record = state.database.current(); editing && record) {
        description_->setText(record->Description);
        prior_->setPlainText(state.RecordFreqText);
        comments_->setPlainText(commentsText(*record));
        for (int index = 0; index < 40; ++index)
            slots_[index]->setText(slotEditText(record->F[static_cast<size_t>(index)]));
    }

    connect(save, &QPushButton::clicked, this, &RecordEditorWindow::saveAndExit);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    resize(sizeHint().expandedTo(QSize(560, 0)));
    placeCentred(this, services_.platform, 1000);
}

void RecordEditorWindow::saveAndExit() {
    QStringList slotTexts;
    for (QLineEdit* box : slots_)
        slotTexts.append(box->text());
    auto record = recordFromEditor(description_->text(), comments_->toPlainText(), slotTexts);
    if (!record) {
        services_.platform.message(record.error().text, record.error().title);
        return;
    }
    AppState& state = services_.state;
    auto saved =
        state.EditorMode == 2 ? state.database.updateCurrent(*record) : state.database.addRecord(*record);
    if (!saved) {
        services_.platform.message(QStringLiteral("The record was not saved: ") + saved.error(),
                                   QStringLiteral("Database ERROR"));
        return;
    }
    emit services_.requests.databaseChanged();
    close();
}

} // namespace sono
