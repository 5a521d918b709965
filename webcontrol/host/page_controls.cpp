#include "webcontrol/host/page_controls.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

namespace orvinta::quendel::host {
namespace {

std::string Text(const QJsonValue& value) { return value.toString().left(kMaxTextChars).toStdString(); }

QStringList ToList(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << QString::fromStdString(text);
  return list;
}

// The hosting browser as the control sees it: the page's cookie text at the
// time the controls were made.
class PageBrowser final : public com::WebBrowser, public com::ClientSite {
 public:
  explicit PageBrowser(std::string cookie) : cookie_(std::move(cookie)) {}
  std::optional<std::string> DocumentCookie() override { return cookie_; }
  com::WebBrowser* QueryWebBrowser() override { return this; }

 private:
  std::string cookie_;
};

}  // namespace

struct PageControls::Hosted final : com::EventSink {
  Hosted(PageControls& owner, int key, std::string cookie) : owner(owner), key(key), site(std::move(cookie)) {}
  ~Hosted() override {
    if (control && cookie) control->Unadvise(cookie);
  }
  void OnEvent(const com::Event& event) override {
    emit owner.controlEvent(key, QString::fromStdString(event.name), ToList(event.paramNames), ToList(event.values));
  }

  PageControls& owner;
  int key;
  PageBrowser site;
  std::unique_ptr<com::Control> control;
  std::uint32_t cookie = 0;
};

PageControls::PageControls(com::ComponentLoader& loader, QWidget* view, QString extraCookie, QObject* parent)
    : QObject(parent), loader_(loader), view_(view), extraCookie_(std::move(extraCookie)) {}

PageControls::~PageControls() { Clear(); }

void PageControls::Clear() {
  // The control goes before its sink and site.
  for (auto& hosted : controls_) {
    if (hosted->control && hosted->cookie) hosted->control->Unadvise(hosted->cookie);
    hosted->cookie = 0;
    hosted->control.reset();
  }
  controls_.clear();
}

QString PageControls::createControls(const QString& request) {
  QJsonArray made;
  if (request.size() > kMaxRequestChars) return "[]";
  const QJsonObject root = QJsonDocument::fromJson(request.toUtf8()).object();
  QString cookie = root.value("cookie").toString().left(kMaxTextChars);
  if (!extraCookie_.isEmpty()) cookie = cookie.isEmpty() ? extraCookie_ : cookie + "; " + extraCookie_;

  for (const QJsonValue& value : root.value("objects").toArray()) {
    if (controls_.size() >= static_cast<std::size_t>(kMaxObjects)) break;
    const QJsonObject object = value.toObject();
    const std::string classId = Text(object.value("classid"));
    // Only class ids name a control here; a page cannot load modules by path.
    if (!com::NormaliseClassId(classId)) continue;
    auto hosted = std::make_unique<Hosted>(*this, static_cast<int>(controls_.size()) + 1, cookie.toStdString());
    if (!com::Succeeded(loader_.CreateControl(classId, hosted->control)) || !hosted->control) continue;

    com::PropertyBag bag;
    const QJsonArray params = object.value("params").toArray();
    for (qsizetype i = 0; i < params.size() && i < kMaxParams; ++i) {
      const QJsonArray pair = params[i].toArray();
      bag.Write(Text(pair.at(0)), Text(pair.at(1)));
    }
    com::Control& control = *hosted->control;
    hosted->cookie = control.Advise(*hosted);
    control.SetClientSite(&hosted->site);
    control.Load(bag);
    if (!com::Succeeded(control.CreateControlWindow(view_.data()))) continue;
    const QJsonObject rect = object.value("rect").toObject();
    control.Draw({rect.value("x").toInt(), rect.value("y").toInt(), rect.value("width").toInt(),
                  rect.value("height").toInt()});

    QJsonArray members;
    for (const com::MemberInfo& member : control.Members()) members.append(QString::fromStdString(member.name));
    made.append(QJsonObject{{"index", object.value("index").toInt()}, {"key", hosted->key}, {"members", members}});
    controls_.push_back(std::move(hosted));
  }
  return QString::fromUtf8(QJsonDocument(made).toJson(QJsonDocument::Compact));
}

int PageControls::invoke(int key, const QString& member, const QStringList& args) {
  if (key < 1 || key > static_cast<int>(controls_.size())) return com::E_INVALIDARG;
  com::Control& control = *controls_[static_cast<std::size_t>(key - 1)]->control;
  com::DispId id = 0;
  const com::HRESULT found = control.GetIdOfName(member.left(kMaxTextChars).toStdString(), id);
  if (!com::Succeeded(found)) return found;
  std::vector<std::string> texts;
  for (const QString& arg : args.mid(0, kMaxParams)) texts.push_back(arg.left(kMaxTextChars).toStdString());
  return control.Invoke(id, texts);
}

}  // namespace orvinta::quendel::host
