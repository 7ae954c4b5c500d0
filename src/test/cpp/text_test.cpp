// Texts cross between Java and the simulator in real UTF-8, both ways.
#include <XPLMDataAccess.h>

#include <string>

#include "jvm_harness.h"
#include "utf8.h"
#include "xplmsim/display.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

using namespace qovintest;

namespace {

const std::u16string kRocket = u"Jet \U0001F680";
const std::string kRocketUtf8 = "Jet \xF0\x9F\x9A\x80";

// The whole literal, NULs included.
template <size_t N>
std::u16string u16(const char16_t (&literal)[N]) {
  return std::u16string(literal, N - 1);
}

jstring javaString(const std::u16string& units) {
  return env()->NewString(reinterpret_cast<const jchar*>(units.data()), static_cast<jsize>(units.size()));
}

std::u16string units(jstring text) {
  std::u16string out(static_cast<size_t>(env()->GetStringLength(text)), u'\0');
  env()->GetStringRegion(text, 0, static_cast<jsize>(out.size()), reinterpret_cast<jchar*>(out.data()));
  return out;
}

std::u16string decoded(const std::string& bytes) {
  std::u16string out(bytes.size(), u'\0');
  out.resize(decodeUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                        reinterpret_cast<jchar*>(out.data())));
  return out;
}

class TextTest : public BridgeTest {};

TEST_F(TextTest, JavaTextsReachTheSimulatorInUtf8) {
  jobject window = newObject("com/brevanto/qovin/testing/RecordingWindow", "(I)V", 1);
  const jlong id = callMethod<jlong>(window, "createWindowEx", "(IIIIZ)J", 0, 100, 100, 0, JNI_TRUE);
  jclass helper = findClass("com/brevanto/qovin/display/XPlaneWindowHelper");
  jmethodID setTitle = staticMethod(helper, "setTitleN", "(JLjava/lang/String;)V");
  callStatic(helper, setTitle, id, javaString(kRocket));
  EXPECT_EQ(xplmsim::windows().back().title, kRocketUtf8);
  // Text of the Basic Multilingual Plane is what modified UTF-8 makes of it: a
  // NUL as C0 80, a lone surrogate as its three bytes.
  callStatic(helper, setTitle, id, javaString(u16(u"\u00E9\u20AC a\u0000b \xD800.")));
  EXPECT_EQ(xplmsim::windows().back().title, std::string("\xC3\xA9\xE2\x82\xAC a\xC0\x80" "b \xED\xA0\x80."));
  callStatic(helper, staticMethod(helper, "destroy", "(J)V"), id);
}

TEST_F(TextTest, ADatarefPublishedUnderAnEmojiIsFoundByItsUtf8Name) {
  jobject ref = newObject("com/brevanto/qovin/data/JavaBackedDataRef",
                          "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;Lcom/brevanto/qovin/data/"
                          "DataWriteAccessor;)V",
                          javaString(u"qovin/\U0001F680"), 2, JNI_FALSE, nullptr, nullptr);
  const jlong handle = callMethod<jlong>(ref, "getHandle", "()J");
  EXPECT_NE(handle, 0);
  EXPECT_EQ(reinterpret_cast<jlong>(XPLMFindDataRef("qovin/\xF0\x9F\x9A\x80")), handle);
  callMethod(ref, "unregister", "()V");
}

TEST_F(TextTest, SimulatorTextsArriveAsTheirCharacters) {
  const int id = xplmsim::addPlugin({0, kRocketUtf8, std::string(253, 'p') + "\xF0\x9F\x9A\x80", "sig",
                                     "\xFF" "ab \xE2\x82"});
  jclass helper = findClass("com/brevanto/qovin/XPlanePluginHelper");
  jobject info = callStatic<jobject>(
      helper, staticMethod(helper, "getPluginInfoN", "(I)Lcom/brevanto/qovin/QOVINPluginInfo;"), id);
  auto text = [&](const char* getter) {
    return units(static_cast<jstring>(callMethod<jobject>(info, getter, "()Ljava/lang/String;")));
  };
  EXPECT_EQ(text("getName"), kRocket);
  EXPECT_EQ(text("getPath"), std::u16string(253, u'p')) << "a character cut at the buffer's end is lost alone";
  EXPECT_EQ(text("getDescription"), u"\uFFFDab ") << "an invalid byte is U+FFFD, a cut character at the end is lost";
}

TEST(Utf8Decoding, InvalidSequencesGiveOneReplacementEach) {
  EXPECT_EQ(decoded("a\xC0\x80z"), u16(u"a\u0000z"));
  EXPECT_EQ(decoded("\xF0\x9F\x9A\x80"), u"\U0001F680");
  EXPECT_EQ(decoded("\x80\xBF"), u"\uFFFD\uFFFD") << "lone continuation bytes";
  EXPECT_EQ(decoded("\xC1\xBF!"), u"\uFFFD\uFFFD!") << "overlong lead";
  EXPECT_EQ(decoded("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD") << "overlong three-byte form";
  EXPECT_EQ(decoded("\xED\xA0\x80x"), u"\uFFFD\uFFFD\uFFFDx") << "an encoded surrogate";
  EXPECT_EQ(decoded("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD") << "past U+10FFFF";
  EXPECT_EQ(decoded("\xE2\x82x"), u"\uFFFDx") << "a cut sequence inside the text";
  EXPECT_EQ(decoded("ok\xF0\x9F\x9A"), u"ok") << "a cut sequence at the end";
  EXPECT_EQ(decoded("\xFE\xFF"), u"\uFFFD\uFFFD");
}

TEST(Utf8Encoding, PairsGiveFourBytesAndTheRestIsModifiedUtf8) {
  const std::u16string text = u16(u"a\U0001F680z\xD800\u0000\u00E9\u20AC\xDC00");
  std::string out(3 * text.size() + 1, '?');
  out.resize(encodeUtf8(reinterpret_cast<const jchar*>(text.data()), text.size(), out.data()));
  EXPECT_EQ(out, std::string("a\xF0\x9F\x9A\x80z\xED\xA0\x80\xC0\x80\xC3\xA9\xE2\x82\xAC\xED\xB0\x80"));
  EXPECT_EQ(decoded(out).substr(0, 3), u"a\U0001F680") << "and back";
}

}  // namespace
