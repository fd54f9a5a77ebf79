#pragma once

#include "stock/object_fields.h"

#include <QLineEdit>

namespace qx {

// A text field whose text always passes its key filter: typed keys go
// through the filter's press and release rules, and text that arrives any
// other way (pasted, dropped, set by the program) is brought into the same
// form.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // limit: the decimal filter's.
    FilteredLineEdit(objects::Filter filter, int maxLength, QWidget* parent = nullptr, int limit = 0);

    objects::Filter filter() const { return filter_; }
    // A value the window stores or shows back (a default, a stored record, a
    // stock value) is shown as it is: the filters judge what users bring.
    void setStoredText(const QString& text);

signals:
    // A typed key the field did not take, and what it takes.
    void refused(const QString& takes);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void replaceText(const std::string& text);
    void signalRefusal();
    void enforce();

    objects::Filter filter_;
    int limit_;
    bool filtering_ = false;
};

}
