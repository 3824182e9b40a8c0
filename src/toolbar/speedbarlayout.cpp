#include "speedbarlayout.h"

#include "espeedbarerror.h"
#include "settings/settingsstore.h"

namespace {

bool horizontal(SpeedbarLayout::Align align)
{
    return align == SpeedbarLayout::alTop || align == SpeedbarLayout::alBottom;
}

bool vertical(SpeedbarLayout::Align align)
{
    return align == SpeedbarLayout::alLeft || align == SpeedbarLayout::alRight;
}

int numberOr(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

SpeedbarLayout::Item *SpeedbarLayout::find(const QString &name)
{
    for (Item &item : items) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

void SpeedbarLayout::setAlign(int value)
{
    if (value < alNone || value > alClient)
        throw AppError(QStringLiteral("Invalid property value"));
    if (value == alNone || value == alClient)
        throw ESpeedbarError(
                QStringLiteral("Cannot set this property value while Position is bpAuto"));
    align = Align(value);
}

void SpeedbarLayout::save(SettingsStore &store, const QString &sectionKey) const
{
    store.eraseKey(sectionKey);
    store.writeInteger(sectionKey, QStringLiteral("Position"), align);
    if (horizontal(align))
        store.writeInteger(sectionKey, QStringLiteral("Width"), height);
    else if (vertical(align))
        store.writeInteger(sectionKey, QStringLiteral("Width"), width);
    store.writeInteger(sectionKey, QStringLiteral("Version"), version);
    store.writeInteger(sectionKey, QStringLiteral("BtnWidth"), btnWidth);
    store.writeInteger(sectionKey, QStringLiteral("BtnHeight"), btnHeight);
    int count = 0;
    for (const Item &item : items) {
        if (!item.visible)
            continue;
        ++count;
        store.writeString(sectionKey, QStringLiteral("Button%1").arg(count),
                          QStringLiteral("%1,%2,%3").arg(item.name).arg(item.left).arg(item.top));
    }
    store.writeInteger(sectionKey, QStringLiteral("Count"), count);
}

bool SpeedbarLayout::restore(const SettingsStore &store, const QString &sectionKey)
{
    const Align before = align;
    if (store.readInteger(sectionKey, QStringLiteral("Version"), version) < version)
        return false;
    if (options & sbAllowDrag) {
        try {
            setAlign(store.readInteger(sectionKey, QStringLiteral("Position"), alTop));
        } catch (const AppError &) {
            align = alTop;
        }
    }
    if (options & sbAllowResize) {
        if (horizontal(align))
            height = store.readInteger(sectionKey, QStringLiteral("Width"), height);
        else if (vertical(align))
            width = store.readInteger(sectionKey, QStringLiteral("Width"), width);
    }
    const bool alignChanged = align != before;
    if (btnWidth < store.readInteger(sectionKey, QStringLiteral("BtnWidth"), btnWidth)
        || btnHeight < store.readInteger(sectionKey, QStringLiteral("BtnHeight"), btnHeight))
        return alignChanged;
    const int count = store.readInteger(sectionKey, QStringLiteral("Count"), 0);
    if (count <= 0)
        return alignChanged;
    for (Item &item : items)
        item.visible = false;
    for (int n = 1; n <= count; ++n) {
        const QStringList fields =
                store.readString(sectionKey, QStringLiteral("Button%1").arg(n), QString())
                        .split(QLatin1Char(','));
        Item *item = fields.first().isEmpty() ? nullptr : find(fields.first());
        if (!item)
            continue;
        item->left = std::max(numberOr(fields.value(1), item->left), btnOffsetHorz);
        item->top = std::max(numberOr(fields.value(2), item->top), btnOffsetVert);
        item->visible = true;
    }
    return alignChanged;
}
