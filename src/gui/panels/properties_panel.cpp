#include "gui/panels/properties_panel.h"

#include "editor/shared_properties.h"
#include "gui/common/qt_colour.h"
#include "gui/dialogs/colour_swatch.h"
#include "project/region_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace tolv::gui {

// A number field that shows nothing where the selected regions differ, and
// reports a value only once it is entered or the field is left.
class PropertySpin : public QSpinBox {
public:
    PropertySpin(const char* name, int minimum, int maximum, QWidget* parent) : QSpinBox(parent)
    {
        setObjectName(name);
        setRange(minimum, maximum);
        setKeyboardTracking(false);
    }

    void showValue(std::optional<int> value)
    {
        if (value)
            setValue(*value);
        else
            lineEdit()->clear();
    }
};

namespace {

// In the order of RegionKind.
constexpr const char* TypeNames[] = {"Clip", "Background", "Text box", "Overlay"};
constexpr const char* GeometryNames[] = {"propertyX", "propertyY", "propertyWidth", "propertyHeight"};
constexpr const char* GeometryCaptions[] = {"x", "y", "w", "h"};

void ShowText(QLineEdit& edit, const std::optional<std::string>& value)
{
    const QString text = value ? QString::fromStdString(*value) : QString();
    if (edit.text() != text)
        edit.setText(text);
}

void ShowCheck(QCheckBox& box, std::optional<bool> value)
{
    box.setTristate(!value);
    box.setCheckState(!value ? Qt::PartiallyChecked : *value ? Qt::Checked : Qt::Unchecked);
}

// A swatch of the colour with a black outline; nothing where they differ.
void ShowColour(QToolButton& button, std::optional<Color> value)
{
    QPixmap swatch(button.iconSize());
    swatch.fill(Qt::transparent);
    if (value) {
        QPainter painter(&swatch);
        painter.setPen(Qt::black);
        painter.setBrush(ToQColor(*value));
        painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    }
    button.setIcon(swatch);
}

QToolButton* ColourButton(const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIconSize(QSize(40, 16));
    return button;
}

}  // namespace

PropertiesPanel::PropertiesPanel(Document& document, Edits edits, QWidget* parent)
    : QDockWidget("Properties", parent), document_(document), edits_(std::move(edits)), chooseColour_(ChooseColour)
{
    setObjectName("propertiesPanel");
    auto* body = new QWidget(this);
    buildFields(body);
    setWidget(body);
    subscription_ = document_.subscribe([this](const DocumentChange&) { showSelected(); });
    showSelected();
}

PropertiesPanel::~PropertiesPanel()
{
    document_.unsubscribe(subscription_);
}

void PropertiesPanel::buildFields(QWidget* body)
{
    auto* layout = new QVBoxLayout(body);
    placeholder_ = new QLabel(body);
    placeholder_->setObjectName("propertiesPlaceholder");
    placeholder_->setWordWrap(true);
    layout->addWidget(placeholder_);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    name_ = new QLineEdit(body);
    name_->setObjectName("propertyName");
    form->addRow("&Name", name_);
    connect(name_, &QLineEdit::editingFinished, this,
            [this] { commit(&Region::Name, name_->text().toStdString()); });

    type_ = new QComboBox(body);
    type_->setObjectName("propertyType");
    for (const char* type : TypeNames)
        type_->addItem(type);
    form->addRow("&Type", type_);
    connect(type_, &QComboBox::activated, this, [this](int index) { commit(&Region::RegionType, RegionKind(index)); });

    auto* geometry = new QGridLayout;
    for (std::size_t i = 0; i < geometry_.size(); ++i) {
        const int least = i < 2 ? -GeometryFieldLimit : 1;
        geometry_[i] = new PropertySpin(GeometryNames[i], least, GeometryFieldLimit, body);
        geometry->addWidget(new QLabel(GeometryCaptions[i], body), int(i / 2), int(i % 2) * 2);
        geometry->addWidget(geometry_[i], int(i / 2), int(i % 2) * 2 + 1);
        connect(geometry_[i], &QSpinBox::valueChanged, this,
                [this, i](int value) { commitGeometry(RegionPosition.members[i], value); });
    }
    form->addRow("Geometry", geometry);

    visible_ = new QCheckBox("&Visible in the editor", body);
    visible_->setObjectName("propertyVisible");
    form->addRow(visible_);
    connect(visible_, &QCheckBox::clicked, this, [this](bool checked) { commit(&Region::Visible, checked); });

    overlay_ = new QLineEdit(body);
    overlay_->setObjectName("propertyOverlay");
    form->addRow("&Overlay file", overlay_);
    connect(overlay_, &QLineEdit::editingFinished, this,
            [this] { commit(&Region::OVLName, overlay_->text().toStdString()); });

    buildTextBoxFields(body);
    layout->addStretch();
}

void PropertiesPanel::buildTextBoxFields(QWidget* body)
{
    auto* group = new QGroupBox("Text box", body);
    body->layout()->addWidget(group);
    auto* form = new QFormLayout(group);

    title_ = new QCheckBox("&Display a title area", group);
    title_->setObjectName("propertyTitle");
    form->addRow(title_);
    connect(title_, &QCheckBox::clicked, this, [this](bool checked) { commit(&Region::Title, checked); });

    titleHeight_ = new PropertySpin("propertyTitleHeight", MinTitleHeight, MaxTitleHeight, group);
    form->addRow("Title &height", titleHeight_);
    connect(titleHeight_, &QSpinBox::valueChanged, this, [this](int value) { commit(&Region::TitleHeight, value); });

    lineWidth_ = new PropertySpin("propertyLineWidth", MinLineWidth, MaxLineWidth, group);
    form->addRow("&Line width", lineWidth_);
    connect(lineWidth_, &QSpinBox::valueChanged, this, [this](int value) { commit(&Region::LineWidth, value); });

    boxColour_ = ColourButton("propertyBoxColour", group);
    form->addRow("&Box colour", boxColour_);
    connect(boxColour_, &QToolButton::clicked, this, [this] { chooseColour(&Region::BoxColor); });

    titleColour_ = ColourButton("propertyTitleColour", group);
    form->addRow("Title &colour", titleColour_);
    connect(titleColour_, &QToolButton::clicked, this, [this] { chooseColour(&Region::TitleColor); });
}

void PropertiesPanel::showSelected()
{
    const Project& project = document_.project();
    const std::vector<const Region*> regions = SelectedRegions(project);
    showing_ = true;
    placeholder_->setText(regions.empty()       ? QString("No region selected")
                          : regions.size() > 1 ? QString("%1 regions selected; select one to edit it").arg(regions.size())
                                               : QString());
    placeholder_->setVisible(regions.size() != 1);

    ShowText(*name_, SharedValue(regions, &Region::Name));
    const std::optional<RegionKind> type = SharedValue(regions, &Region::RegionType);
    type_->setCurrentIndex(type ? int(*type) : -1);
    for (std::size_t i = 0; i < geometry_.size(); ++i)
        geometry_[i]->showValue(SharedValue(regions, RegionPosition.members[i]));
    ShowCheck(*visible_, SharedValue(regions, &Region::Visible));
    ShowText(*overlay_, SharedValue(regions, &Region::OVLName));
    ShowCheck(*title_, SharedValue(regions, &Region::Title));
    titleHeight_->showValue(SharedValue(regions, &Region::TitleHeight));
    lineWidth_->showValue(SharedValue(regions, &Region::LineWidth));
    ShowColour(*boxColour_, SharedValue(regions, &Region::BoxColor));
    ShowColour(*titleColour_, SharedValue(regions, &Region::TitleColor));

    const auto enable = [&project](PropertyGroup group, std::initializer_list<QWidget*> fields) {
        const bool editable = Editable(project, group);
        for (QWidget* field : fields)
            field->setEnabled(editable);
    };
    enable(PropertyGroup::Common, {name_, type_, visible_});
    enable(PropertyGroup::Geometry, {geometry_[0], geometry_[1], geometry_[2], geometry_[3]});
    enable(PropertyGroup::Overlay, {overlay_});
    enable(PropertyGroup::TextBox, {title_, lineWidth_, boxColour_});
    enable(PropertyGroup::Title, {titleHeight_, titleColour_});
    showing_ = false;
}

// The fields show the region as the edit left it, also when the edit was
// refused or changed nothing.
template <typename Value>
void PropertiesPanel::commit(Value Region::*field, const Value& value)
{
    if (showing_)
        return;
    const Region* current = document_.project().selection.current();
    if (current && Editable(document_.project(), PropertyGroup::Common))
        if (std::optional<Region> record = RecordWith(*current, field, value))
            edits_.setProperties(std::move(*record));
    showSelected();
}

void PropertiesPanel::commitGeometry(int Region::*field, int value)
{
    if (showing_)
        return;
    const Region* current = document_.project().selection.current();
    if (current && Editable(document_.project(), PropertyGroup::Geometry))
        if (const std::optional<RegionGeometry> geometry = GeometryWith(*current, field, value))
            edits_.setGeometry(*geometry);
    showSelected();
}

void PropertiesPanel::chooseColour(Color Region::*field)
{
    const Region* current = document_.project().selection.current();
    if (!current)
        return;
    if (const std::optional<Color> chosen = chooseColour_(this, current->*field))
        commit(field, *chosen);
}

}  // namespace tolv::gui
