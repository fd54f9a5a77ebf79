#include "shell/accessibility.h"

#include "library/library_browser.h"
#include "library/library_viewer.h"

#include <QAccessibleWidget>
#include <QLabel>

#include <set>

namespace qx {
namespace {

// A preview of a library viewer: an image, "Image N", and the action that a
// click performs.
class PreviewAccessible : public QAccessibleWidget {
public:
    explicit PreviewAccessible(PreviewWidget* preview) : QAccessibleWidget(preview, QAccessible::Graphic) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return "Image " + QString::number(preview()->tag());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            preview()->activate();
    }

private:
    PreviewWidget* preview() const { return static_cast<PreviewWidget*>(widget()); }
};

bool isProgramWindow(QObject* object)
{
    static const std::set<QString> classes{"qx::TForm1",   "qx::Tprjform", "qx::Tsettings", "qx::Tcnuform",
                                           "qx::Tcnwform", "qx::Tcnpform", "qx::Tcnwhform", "qx::Tcnbform",
                                           "qx::TForm2",   "qx::TGeneral", "qx::TRulesText", "qx::LibraryViewer", "qx::Tpreviewform", "qx::Timportform"};
    return classes.contains(object->metaObject()->className());
}

QAccessibleInterface* programInterfaces(const QString&, QObject* object)
{
    if (auto* preview = qobject_cast<PreviewWidget*>(object))
        return new PreviewAccessible(preview);
    if (object && object->isWidgetType() && isProgramWindow(object))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}

void installAccessibility()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(programInterfaces);
    installed = true;
}

QString spokenCaption(const QString& caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\n')
            text += ' ';
        else if (caption[i] != '&')
            text += caption[i];
        else if (i + 1 < caption.size() && caption[i + 1] == '&')
            text += caption[++i];
    }
    while (!text.isEmpty() && QString(" :->").contains(text.back()))
        text.chop(1);
    return text.trimmed();
}

void nameAfterLabel(QLabel* label, QWidget* field)
{
    label->setBuddy(field);
    field->setAccessibleName(spokenCaption(label->text()));
}

QLabel* labelFor(const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption, field->parentWidget());
    nameAfterLabel(label, field);
    return label;
}

}
