#include "platform/audio/alsa_mixer.h"

#include "platform/audio/alsa_pcm.h"

#include <poll.h>
#include <cstdlib>

namespace orlane::audio {

namespace {

const char* MixerDeviceName() {
  const char* name = std::getenv("ORLANE_ALSA_MIXER");
  return (name != nullptr && *name != '\0') ? name : "default";
}

snd_mixer_elem_t* FindElement(snd_mixer_t* mixer, const char* name) {
  snd_mixer_selem_id_t* id = nullptr;
  snd_mixer_selem_id_alloca(&id);
  snd_mixer_selem_id_set_index(id, 0);
  snd_mixer_selem_id_set_name(id, name);
  return snd_mixer_find_selem(mixer, id);
}

}  // namespace

MixerHandle OpenAlsaMixer() {
  SilenceAlsaMessages();
  snd_mixer_t* raw = nullptr;
  if (snd_mixer_open(&raw, 0) < 0 || raw == nullptr) return nullptr;
  MixerHandle mixer(raw);
  if (snd_mixer_attach(raw, MixerDeviceName()) < 0) return nullptr;
  // Reading the change events must never wait for the next one.
  snd_hctl_t* hctl = nullptr;
  if (snd_mixer_get_hctl(raw, MixerDeviceName(), &hctl) == 0 && hctl != nullptr) snd_hctl_nonblock(hctl, 1);
  if (snd_mixer_selem_register(raw, nullptr, nullptr) < 0) return nullptr;
  if (snd_mixer_load(raw) < 0) return nullptr;
  return mixer;
}

AlsaMixerControl::AlsaMixerControl(MixerLine line) : mixer_(OpenAlsaMixer()) {
  if (!mixer_) return;
  snd_mixer_t* m = mixer_.get();
  if (line == MixerLine::Microphone) {
    capture_ = true;
    for (const char* name : {"Mic", "Capture"}) {
      snd_mixer_elem_t* e = FindElement(m, name);
      if (e != nullptr && snd_mixer_selem_has_capture_volume(e)) {
        elem_ = e;
        break;
      }
    }
  } else {
    snd_mixer_elem_t* e = FindElement(m, line == MixerLine::Master ? "Master" : "PCM");
    if (e != nullptr && snd_mixer_selem_has_playback_volume(e)) elem_ = e;
  }
  if (elem_ == nullptr) return;
  const int r = capture_ ? snd_mixer_selem_get_capture_volume_range(elem_, &nativeMin_, &nativeMax_)
                         : snd_mixer_selem_get_playback_volume_range(elem_, &nativeMin_, &nativeMax_);
  if (r < 0 || nativeMax_ <= nativeMin_) {
    elem_ = nullptr;
    return;
  }
  lastSeen_ = volume();
  watchChanges();
}

AlsaMixerControl::~AlsaMixerControl() {
  notifiers_.clear();  // before the descriptors close with the mixer
}

long AlsaMixerControl::steps() const {
  return elem_ ? nativeMax_ - nativeMin_ : -1;
}

long AlsaMixerControl::volume() const {
  if (elem_ == nullptr) return -1;
  long v = 0;
  const int r = capture_ ? snd_mixer_selem_get_capture_volume(elem_, SND_MIXER_SCHN_FRONT_LEFT, &v)
                         : snd_mixer_selem_get_playback_volume(elem_, SND_MIXER_SCHN_FRONT_LEFT, &v);
  return r < 0 ? -1 : ToUnitVolume(v, nativeMin_, nativeMax_);
}

bool AlsaMixerControl::setVolume(qint64 value) {
  if (elem_ == nullptr) return false;
  const long native = ToNativeVolume(ClampVolume(value), nativeMin_, nativeMax_);
  const int r = capture_ ? snd_mixer_selem_set_capture_volume_all(elem_, native)
                         : snd_mixer_selem_set_playback_volume_all(elem_, native);
  if (r < 0) return false;
  lastSeen_ = volume();  // our own change is not news
  return true;
}

bool AlsaMixerControl::setSwitch(bool on) {
  if (elem_ == nullptr) return false;
  if (capture_) {
    return snd_mixer_selem_has_capture_switch(elem_) && snd_mixer_selem_set_capture_switch_all(elem_, on) >= 0;
  }
  return snd_mixer_selem_has_playback_switch(elem_) && snd_mixer_selem_set_playback_switch_all(elem_, on) >= 0;
}

void AlsaMixerControl::watchChanges() {
  snd_mixer_t* m = mixer_.get();
  const int count = snd_mixer_poll_descriptors_count(m);
  if (count <= 0) return;
  std::vector<pollfd> fds(static_cast<std::size_t>(count));
  const int got = snd_mixer_poll_descriptors(m, fds.data(), static_cast<unsigned>(count));
  for (int i = 0; i < got; ++i) {
    auto notifier = std::make_unique<QSocketNotifier>(fds[static_cast<std::size_t>(i)].fd, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this] { onMixerEvent(); });
    notifiers_.push_back(std::move(notifier));
  }
}

void AlsaMixerControl::onMixerEvent() {
  snd_mixer_handle_events(mixer_.get());
  const long v = volume();
  if (v == lastSeen_) return;
  lastSeen_ = v;
  notifyChanged(v);
}

bool AlsaSelectMicrophoneSource() {
  MixerHandle mixer = OpenAlsaMixer();
  if (!mixer) return false;
  // A capture source list (an enumerated control) first.
  for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer.get()); e != nullptr; e = snd_mixer_elem_next(e)) {
    if (!snd_mixer_selem_is_enum_capture(e)) continue;
    const int items = snd_mixer_selem_get_enum_items(e);
    QStringList names;
    char name[128];
    for (int i = 0; i < items; ++i) {
      if (snd_mixer_selem_get_enum_item_name(e, static_cast<unsigned>(i), sizeof name, name) < 0) name[0] = '\0';
      names.append(QString::fromUtf8(name));
    }
    const auto chosen = ChooseMicrophoneSources(names, std::vector<bool>(static_cast<std::size_t>(items), false), true);
    if (!chosen) return false;
    for (int i = 0; i < items; ++i) {
      if (!(*chosen)[static_cast<std::size_t>(i)]) continue;
      for (int ch = 0; ch <= SND_MIXER_SCHN_LAST; ++ch)
        snd_mixer_selem_set_enum_item(e, static_cast<snd_mixer_selem_channel_id_t>(ch), static_cast<unsigned>(i));
      return true;
    }
    return false;
  }
  // Otherwise the capture switches of the sources: an exclusive group when
  // the card has one (single choice), else every capture switch.
  bool single = false;
  for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer.get()); e != nullptr; e = snd_mixer_elem_next(e))
    single = single || (snd_mixer_selem_has_capture_switch(e) && snd_mixer_selem_has_capture_switch_exclusive(e));
  std::vector<snd_mixer_elem_t*> sources;
  QStringList names;
  std::vector<bool> current;
  for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer.get()); e != nullptr; e = snd_mixer_elem_next(e)) {
    if (!snd_mixer_selem_has_capture_switch(e)) continue;
    if (single && !snd_mixer_selem_has_capture_switch_exclusive(e)) continue;
    int on = 0;
    snd_mixer_selem_get_capture_switch(e, SND_MIXER_SCHN_FRONT_LEFT, &on);
    sources.push_back(e);
    names.append(QString::fromUtf8(snd_mixer_selem_get_name(e)));
    current.push_back(on != 0);
  }
  const auto chosen = ChooseMicrophoneSources(names, current, single);
  if (!chosen) return false;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if ((*chosen)[i] != current[i]) snd_mixer_selem_set_capture_switch_all(sources[i], (*chosen)[i] ? 1 : 0);
  }
  return true;
}

}  // namespace orlane::audio
