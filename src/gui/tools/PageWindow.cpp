#include "gui/tools/PageWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"
#include "core/tools/RtfReader.h"
#include "gui/shell/Services.h"
#include "ui_PageWindow.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace sono {

void fillDocument(QTextDocument& document, const RtfDocument& page) {
    document.clear();
    QTextCursor cursor(&document);
    QTextBlockFormat block;
    block.setBottomMargin(4);
    bool first = true;
    for (const RtfParagraph& paragraph : page.paragraphs) {
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (const RtfRun& run : paragraph.runs) {
            QTextCharFormat format;
            format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.italic);
            format.setFontUnderline(run.underline);
            format.setFontPointSize(run.halfPoints / 2.0);
            cursor.insertText(run.text, format);
        }
    }
}

PageWindow::PageWindow(Services& services, const QString& title, const QString& fileName,
                       const QString& label, const QList<Page>& choices)
    : services_(services), ui_(std::make_unique<Ui::PageWindow>()) {
    ui_->setupUi(this);
    setWindowTitle(title);
    if (label.isEmpty())
        delete ui_->Label1;
    else
        ui_->Label1->setText(label);
    auto* group = new QButtonGroup(this);
    for (qsizetype i = 0; i < choices.size(); ++i) {
        auto* option = new QRadioButton(choices[i].caption, this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        option->setChecked(choices[i].fileName == fileName);
        group->addButton(option);
        ui_->pages->addWidget(option);
        const QString page = choices[i].fileName;
        connect(option, &QRadioButton::clicked, this, [this, page] { loadPage(page); });
    }
    if (!choices.isEmpty()) ui_->pages->addStretch();
    connect(ui_->Command1, &QPushButton::clicked, this, &QDialog::reject);
    loadPage(fileName);
}

PageWindow::~PageWindow() = default;

void PageWindow::loadPage(const QString& fileName) {
    QTextBrowser* text = ui_->RichTextBox1;
    text->clear();
    const QString path = services_.state.filePath(fileName);
    auto bytes = readWholeFile(path);
    if (!bytes) {
        services_.platform.message(bytes.error() +
                                   QStringLiteral("\n\nThe help page %1 cannot be shown.").arg(fileName));
        return;
    }
    fillDocument(*text->document(), readRtf(*bytes));
    text->moveCursor(QTextCursor::Start); // a new page opens at its top
}

} // namespace sono
