#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <memory>

class QTextDocument;

namespace Ui {
class PageWindow;
}

namespace sono {

struct Services;
struct RtfDocument;

// Turns a read page into a document for a read-only text view.
void fillDocument(QTextDocument& document, const RtfDocument& page);

// A help window: one rich-text page from the application folder in RichTextBox1, an optional line
// above it (Label1), optional option buttons (Option1_i) that switch pages, and Command1 "Close", which
// Enter and Esc press too.
class PageWindow : public QDialog {
    Q_OBJECT
public:
    struct Page {
        QString caption;
        QString fileName;
    };

    PageWindow(Services& services, const QString& title, const QString& fileName, const QString& label = {},
               const QList<Page>& choices = {});
    ~PageWindow() override;

    // Replaces the shown page with the file's; a missing or unreadable file is reported and leaves an
    // empty page.
    void loadPage(const QString& fileName);

private:
    Services& services_;
    std::unique_ptr<Ui::PageWindow> ui_;
};

} // namespace sono
