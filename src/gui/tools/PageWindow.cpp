#include "gui/tools/PageWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"
#include "core/tools/RtfReader.h"
#include "gui/shell/Services.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

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
    : services_(services) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    if (!label.isEmpty()) {
        auto* line = new QLabel(label, this);
        line->setObjectName(QStringLiteral("Label1"));
        line->setWordWrap(true);
        layout->addWidget(line);
    }
    if (!choices.isEmpty()) {
        auto* row = new QHBoxLayout;
        auto* group = new QButtonGroup(this);
        for (qsizetype i = 0; i < choices.size(); ++i) {
            auto* option = new QRadioButton(choices[i].caption, this);
            option->setObjectName(QStringLiteral("Option1_%1").arg(i));
            option->setChecked(choices[i].fileName == fileName);
            group->addButton(option);
            row->addWidget(option);
            const QString page = choices[i].fileName;
            connect(option, &QRadioButton::clicked, this, [this, page] { loadPage(page); });
        }
        row->addStretch();
        layout->addLayout(row);
    }
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("RichTextBox1"));
    text_->setAccessibleName(QStringLiteral("Help page"));
    text_->setReadOnly(true);
    text_->setOpenLinks(false);
    layout->addWidget(text_, 1);
    addCloseRow(this, layout);
    resize(640, 520);
    loadPage(fileName);
}

void addCloseRow(QWidget* window, QBoxLayout* layout) {
    auto* close = new QPushButton(QStringLiteral("Close"), window);
    close->setObjectName(QStringLiteral("Command1"));
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void PageWindow::loadPage(const QString& fileName) {
    currentFile_ = fileName;
    text_->clear();
    const QString path = services_.state.filePath(fileName);
    auto bytes = readWholeFile(path);
    if (!bytes) {
        services_.platform.message(bytes.error() +
                                   QStringLiteral("\n\nThe help page %1 cannot be shown.").arg(fileName));
        return;
    }
    fillDocument(*text_->document(), readRtf(*bytes));
    text_->moveCursor(QTextCursor::Start); // a new page opens at its top
}

} // namespace sono
