#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QTextBrowser;
class QTextDocument;
class QRadioButton;

class QBoxLayout;

namespace sono {

struct Services;
struct RtfDocument;

// Turns a read page into a document for a read-only text view.
void fillDocument(QTextDocument& document, const RtfDocument& page);

// The "Close" button (Command1) of the information windows, on its own row at the right.
void addCloseRow(QWidget* window, QBoxLayout* layout);

// A help window: one rich-text page from the application folder in RichTextBox1, an optional line
// above it (Label1), optional option buttons (Option1_i) that switch pages, and Command1 "Close".
class PageWindow : public QWidget {
    Q_OBJECT
public:
    struct Page {
        QString caption;
        QString fileName;
    };

    PageWindow(Services& services, const QString& title, const QString& fileName, const QString& label = {},
               const QList<Page>& choices = {});

    // Replaces the shown page with the file's; a missing or unreadable file is reported and leaves an
    // empty page.
    void loadPage(const QString& fileName);
    const QString& currentFile() const { return currentFile_; }
    QTextBrowser* textBox() const { return text_; }

private:
    Services& services_;
    QTextBrowser* text_;
    QString currentFile_;
};

} // namespace sono
