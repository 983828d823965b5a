#pragma once
// The buttons by the result of "Aufgabe prüfen", above the information list: "Tipp" once a
// pupil has tried twice in vain, "Nächste Aufgabe" in a course once every world is solved.
// The bar hides while neither is offered.
#include <QWidget>

class QLabel;
class QPushButton;

namespace tumbo::app {

class TTaskResultBar : public QWidget {
    Q_OBJECT
public:
    explicit TTaskResultBar(QWidget *parent = nullptr);

    void OfferHint(bool offer);
    void OfferNextTask(bool offer);

    QPushButton *btnTipp;
    QPushButton *btnNaechsteAufgabe;

signals:
    void HintRequested();
    void NextTaskRequested();

private:
    void UpdateVisibility();
};

}  // namespace tumbo::app
