// Mixer volumes: the 0..65535 scale over device ranges, the microphone
// choice among recording sources, the simulated mixer through the interface,
// and the ALSA mixer where there is none.
#include "platform/audio/alsa_mixer.h"
#include "platform/audio/sim_mixer.h"
#include "platform_audio/alsa_test_config.h"

#include <gtest/gtest.h>

namespace orlane::audio {
namespace {

TEST(MixerScale, fullRangeControl_givesSliderRange0To16_andClampsPosition16) {
  // Slider range: minimum / 4096 .. (maximum + 1) / 4096, position (value + 1) / 4096.
  EXPECT_EQ(ToUnitVolume(65535, 0, 65535), 65535);
  EXPECT_EQ((kMaxVolume + 1) / 4096, 16);
  EXPECT_EQ(ClampVolume(16 * 4096), 65535);
  EXPECT_EQ(ClampVolume(-1), 65535);  // compared unsigned: too large
  EXPECT_EQ(ClampVolume(0), 0);
  EXPECT_EQ(ClampVolume(1234), 1234);
}

TEST(MixerScale, smallDeviceRanges_mapBothWays_andARereadValueIsStable) {
  EXPECT_EQ(ToNativeVolume(0, 0, 87), 0);
  EXPECT_EQ(ToNativeVolume(65535, 0, 87), 87);
  EXPECT_EQ(ToUnitVolume(87, 0, 87), 65535);
  EXPECT_EQ(ToUnitVolume(-5, -10, 0), ToUnitVolume(-5, -10, 0));
  EXPECT_EQ(ToNativeVolume(65535, -6000, 0), 0);
  EXPECT_EQ(ToNativeVolume(0, -6000, 0), -6000);
  for (long u = 0; u <= kMaxVolume; u += 997) {
    const long once = ToUnitVolume(ToNativeVolume(u, 0, 87), 0, 87);
    EXPECT_EQ(ToUnitVolume(ToNativeVolume(once, 0, 87), 0, 87), once) << u;
  }
  // Out-of-range device values and empty ranges stay inside the scale.
  EXPECT_EQ(ToUnitVolume(500, 0, 87), 65535);
  EXPECT_EQ(ToUnitVolume(3, 5, 5), 0);
  EXPECT_EQ(ToNativeVolume(100, 5, 5), 5);
}

TEST(MicrophoneChoice, exactNamesOnly_singleChoiceGetsOneSource) {
  const QStringList names = {"Line", "Microphone Boost", "Mic Volumn", "CD"};
  auto chosen = ChooseMicrophoneSources(names, {true, false, false, false}, true);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, (std::vector<bool>{false, false, true, false}));
  EXPECT_FALSE(ChooseMicrophoneSources({"Line", "Microphone Boost", "Micro"}, {true, false, false}, true));
  EXPECT_TRUE(IsMicrophoneName("Microphone"));
  EXPECT_TRUE(IsMicrophoneName("Mic"));
  EXPECT_FALSE(IsMicrophoneName("microphone"));
}

TEST(MicrophoneChoice, multipleChoice_keepsOtherSourcesOn) {
  auto chosen = ChooseMicrophoneSources({"Line", "Mic", "CD"}, {true, false, true}, false);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, (std::vector<bool>{true, true, true}));
  // A short value list is taken as "off" for the missing sources.
  chosen = ChooseMicrophoneSources({"Line", "Mic"}, {}, false);
  EXPECT_EQ(*chosen, (std::vector<bool>{false, true}));
}

TEST(MicrophoneChoice, twoExactNames_singleChoicePicksTheFirst_andInternalMicIsAFallback) {
  auto chosen = ChooseMicrophoneSources({"Mic", "Line", "Microphone"}, {false, true, false}, true);
  EXPECT_EQ(*chosen, (std::vector<bool>{true, false, false}));
  chosen = ChooseMicrophoneSources({"Line", "Internal Mic", "Front Mic"}, {true, false, false}, true);
  EXPECT_EQ(*chosen, (std::vector<bool>{false, true, false}));
  chosen = ChooseMicrophoneSources({"Front Mic", "Mic"}, {false, false}, true);
  EXPECT_EQ(*chosen, (std::vector<bool>{false, true}));
}

TEST(SimulatedMixer, controlsReadAndWriteAllChannels_onTheUnitScale) {
  SimulatedMixer mixer;
  mixer.line(MixerLine::Master).nativeMax = 87;
  mixer.line(MixerLine::Master).channels = {87, 40};
  auto master = CreateMixerControl(MixerLine::Master);
  ASSERT_TRUE(master->available());
  EXPECT_EQ(master->minimum(), 0);
  EXPECT_EQ(master->maximum(), 65535);
  EXPECT_EQ(master->steps(), 87);
  EXPECT_EQ(master->volume(), 65535);  // channel 0
  EXPECT_TRUE(master->setVolume(65536));
  EXPECT_EQ(mixer.line(MixerLine::Master).channels, (std::vector<long>{87, 87}));
  EXPECT_TRUE(master->setVolume(0));
  EXPECT_EQ(master->volume(), 0);
  EXPECT_TRUE(master->disableLine());
  EXPECT_TRUE(mixer.line(MixerLine::Master).muted);
  EXPECT_TRUE(master->enableLine());
  EXPECT_FALSE(mixer.line(MixerLine::Master).muted);
}

TEST(SimulatedMixer, outsideChange_reachesOnlyThatLinesCallback) {
  SimulatedMixer mixer;
  auto master = CreateMixerControl(MixerLine::Master);
  auto wave = CreateMixerControl(MixerLine::Wave);
  std::vector<long> masterSeen, waveSeen;
  master->setChangeCallback([&](long v) { masterSeen.push_back(v); });
  wave->setChangeCallback([&](long v) { waveSeen.push_back(v); });
  mixer.changeFromOutside(MixerLine::Wave, 30000);
  EXPECT_TRUE(masterSeen.empty());
  EXPECT_EQ(waveSeen, std::vector<long>{30000});
  wave.reset();
  mixer.changeFromOutside(MixerLine::Wave, 10);  // a destroyed control hears nothing
  EXPECT_EQ(waveSeen.size(), 1u);
}

TEST(SimulatedMixer, withoutAMixer_everythingIsUnavailable) {
  SimulatedMixer mixer;
  mixer.setPresent(false);
  for (MixerLine l : {MixerLine::Master, MixerLine::Wave, MixerLine::Microphone}) {
    auto c = CreateMixerControl(l);
    EXPECT_FALSE(c->available());
    EXPECT_EQ(c->minimum(), -1);
    EXPECT_EQ(c->maximum(), -1);
    EXPECT_EQ(c->steps(), -1);
    EXPECT_EQ(c->volume(), -1);
    EXPECT_FALSE(c->setVolume(100));
    EXPECT_FALSE(c->enableLine());
  }
  mixer.setSources({"Mic"}, {false}, true);
  EXPECT_FALSE(SelectMicrophoneSource());
  EXPECT_EQ(mixer.sources(), std::vector<bool>{false});
}

TEST(SimulatedMixer, selectMicrophone_changesTheSources) {
  SimulatedMixer mixer;
  mixer.setSources({"Line", "Microphone", "CD"}, {true, false, true}, false);
  EXPECT_TRUE(SelectMicrophoneSource());
  EXPECT_EQ(mixer.sources(), (std::vector<bool>{true, true, true}));
  mixer.setSources({"Line", "Aux"}, {true, false}, true);
  EXPECT_FALSE(SelectMicrophoneSource());
  EXPECT_EQ(mixer.sources(), (std::vector<bool>{true, false}));
  EXPECT_EQ(mixer.selections(), 1);
}

TEST(AlsaMixer, noMixerDevice_controlsReportUnavailable_andSelectionFails) {
  test::AlsaTestConfig config;  // defines a PCM but no control device
  for (MixerLine l : {MixerLine::Master, MixerLine::Wave, MixerLine::Microphone}) {
    AlsaMixerControl c(l);
    EXPECT_FALSE(c.available());
    EXPECT_EQ(c.volume(), -1);
    EXPECT_EQ(c.maximum(), -1);
    EXPECT_FALSE(c.setVolume(1000));
    EXPECT_FALSE(c.disableLine());
  }
  EXPECT_FALSE(AlsaSelectMicrophoneSource());
  EXPECT_EQ(OpenAlsaMixer(), nullptr);
}

TEST(AlsaMixer, factoryGivesAlsaControls_whenNoSimulationIsInstalled) {
  test::AlsaTestConfig config;
  auto c = CreateMixerControl(MixerLine::Master);
  EXPECT_NE(dynamic_cast<AlsaMixerControl*>(c.get()), nullptr);
  EXPECT_FALSE(SelectMicrophoneSource());
}

}  // namespace
}  // namespace orlane::audio
