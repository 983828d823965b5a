#pragma once
// Printing the program text: Courier New (or its metric twin Liberation Mono) 8 pt, tab width 8, margins of 25 mm (left,
// top, bottom) and 15 mm (right), long lines wrapped, no syntax colouring; line
// numbers and the colour flag follow the settings. Also the print preview
// "Seitenansicht" and the printer set-up.
#include <QString>

#include <memory>

class QsciPrinter;
class QWidget;

namespace tumbo::app {

class TProgramPrinter {
public:
    TProgramPrinter();
    ~TProgramPrinter();

    void SetLineNumbers(bool on) { lineNumbers_ = on; }
    bool LineNumbers() const { return lineNumbers_; }
    void SetColor(bool on) { color_ = on; }
    bool Color() const { return color_; }

    // The current printer, chosen in the set-up.
    QsciPrinter &Printer() { return *printer_; }

    // Lays `text` out on the pages of `printer` with the settings above. Returns
    // whether the printer accepted the pages.
    bool Render(const QString &text, QsciPrinter &printer) const;

    // "Drucken": all pages on the current printer, without a print dialog. When the
    // system has no printer at all, the set-up dialog is offered first (so a PDF
    // file can be chosen). A PDF file is replaced only by a complete document.
    // Returns whether something was printed; a failed file gets a German message in *error.
    bool Print(QWidget *parent, const QString &text, QString *error = nullptr);

    // "Seitenansicht": the pages in a maximized preview window, modal.
    void Preview(QWidget *parent, const QString &text);

    // "Drucker einrichten": the platform's printer dialog; its choice is kept for the
    // next print. Returns whether it was confirmed.
    bool Setup(QWidget *parent);

private:
    std::unique_ptr<QsciPrinter> printer_;
    bool lineNumbers_ = false;
    bool color_ = false;
};

}  // namespace tumbo::app
