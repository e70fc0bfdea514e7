#include "gui/database/RecordEditorWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/database/RecordEdit.h"
#include "core/database/RecordText.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_RecordEditorWindow.h"

#include <QFocusEvent>
#include <QTimer>

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

RecordEditorWindow::RecordEditorWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::RecordEditorWindow>()) {
    ui_->setupUi(this);
    const AppState& state = services_.state;
    const bool editing = state.EditorMode == 2;
    setWindowTitle(editing ? QStringLiteral("Sono - EDIT Database Entry")
                           : QStringLiteral("Sono - NEW Database Entry"));
    ui_->Text2->setFixedHeight(ui_->Text2->fontMetrics().lineSpacing() * 4 + 12);
    ui_->Text4->setFixedHeight(ui_->Text4->fontMetrics().lineSpacing() * 3 + 12);

    // Text3(0..39): four columns of ten, headed F1, F11, F21 and F31, in tab order after the comments.
    QWidget* previous = ui_->Text2;
    for (int column = 0; column < 4; ++column) {
        auto* heading = new QLabel(QStringLiteral("F%1").arg(column * 10 + 1), this);
        heading->setObjectName(QStringLiteral("Label1_%1").arg(column));
        ui_->slotGrid->addWidget(heading, 0, column);
        for (int row = 0; row < 10; ++row) {
            const int index = column * 10 + row;
            auto* box = new SlotBox(this);
            box->setObjectName(QStringLiteral("Text3_%1").arg(index));
            box->setAccessibleName(QStringLiteral("F%1").arg(index + 1));
            box->setToolTip(box->accessibleName());
            slots_[index] = box;
            ui_->slotGrid->addWidget(box, row + 1, column);
            setTabOrder(previous, box);
            previous = box;
        }
    }
    setTabOrder(previous, ui_->Text4);

    ui_->Label4->setVisible(editing);
    ui_->Text4->setVisible(editing);
    if (const FrequencyRecord* record = state.database.current(); editing && record) {
        ui_->Text1->setText(record->Description);
        ui_->Text4->setPlainText(state.RecordFreqText);
        ui_->Text2->setPlainText(commentsText(*record));
        for (int index = 0; index < 40; ++index)
            slots_[index]->setText(slotEditText(record->F[static_cast<size_t>(index)]));
    }

    connect(ui_->Command1, &QPushButton::clicked, this, &RecordEditorWindow::saveAndExit);
    // Exit - Do Not Save, Esc and the close box all leave without saving.
    connect(ui_->Command2, &QPushButton::clicked, this, &QDialog::reject);

    resize(sizeHint().expandedTo(QSize(560, 0)));
    placeCentred(this, services_.platform, 1000);
}

RecordEditorWindow::~RecordEditorWindow() = default;

void RecordEditorWindow::saveAndExit() {
    QStringList slotTexts;
    for (QLineEdit* box : slots_)
        slotTexts.append(box->text());
    auto record = recordFromEditor(ui_->Text1->text(), ui_->Text2->toPlainText(), slotTexts);
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
    accept();
}

} // namespace sono
