// Proof on the wire: `corvane verify` through a simulated cable with each
// fault a link can have, `--verify` in every way in, every new DeckLink
// call failing, and signals while frames are being captured.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "net/pgen/literal_commands.h"
#include "net/resolve/literal_messages.h"
#include "support/pgen_child.h"
#include "support/resolve_child.h"
#include "support/resolve_frame.h"
#include "support/serve_client.h"

namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// Card 0's output, cabled to card 1's input (a frame every 40 ms).
const char kLoop[] = "[device]\nname = Out\n[device]\nname = In\ninput = yes\ncable = 0\n";

// Runs `corvane verify 0 1` on the loop with `more` added to card 1.
int verify(const std::string& more, std::string* output, SimSession** kept = nullptr) {
  static std::unique_ptr<SimSession> session;
  session = std::make_unique<SimSession>(kLoop + more);
  if (kept != nullptr) *kept = session.get();
  const int status = runCorvane(session->environment(), {"verify", "0", "1"}, output);
  EXPECT_EQ("", session->audit());
  // Every input obtained is disabled once.
  EXPECT_EQ(session->countLogLines("QueryInterface(IDeckLinkInput) = 0x00000000"),
            session->countLogLines("DisableVideoInput()"));
  return status;
}

TEST(Verify, EachLinkFaultGetsItsVerdict) {
  const struct {
    const char* link;
    int status;
    const char* verdict;  // the verdict line, as a pattern
  } rows[] = {
      {"", 0, "verdict: exact: every code of every frame arrived as sent; delay [0-2] frames?"},
      {"link.delay = 3\n", 0, "verdict: exact: .*; delay [3-5] frames"},
      {"link.drop_every = 4\n", 1, "verdict: NOT exact: frames dropped \\([0-9]+\\)"},
      {"link.pixels = low_bits\n", 1, "verdict: NOT exact: low bits lost \\(8-bit path\\);"},
      {"link.pixels = sdi_clip\n", 1,
       "verdict: NOT exact: codes clipped \\(SDI reserved codes 0-3, 1020-1023\\);"},
      {"link.pixels = chroma_422\n", 1,
       "verdict: NOT exact: chroma shared between neighbouring pixels \\(4:2:2\\);"},
      {"link.pixels = video_levels\n", 1,
       "verdict: NOT exact: levels scaled \\(full range to video range\\);"},
      {"link.metadata = drop\n", 1, "verdict: NOT exact: metadata missing;"},
      {"link.metadata = change\n", 1, "verdict: NOT exact: metadata changed;"},
      {"link.mode = hd@25\n", 1, "verdict: NOT exact: a different mode at the input \\(Hp25\\)\n"},
      {"cable = none\n", 1, "verdict: NOT exact: no signal at the input\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.link);
    std::string output;
    EXPECT_EQ(row.status, verify(row.link, &output)) << output;
    EXPECT_THAT(output, ContainsRegex(std::string("\n") + row.verdict)) << output;
    EXPECT_THAT(output, HasSubstr("input device status: ")) << output;
  }
}

// The rows name the first difference where the sent codes are known.
TEST(Verify, RowsNameTheFirstDifference) {
  std::string output;
  verify("link.pixels = sdi_clip\n", &output);
  EXPECT_THAT(output, ContainsRegex("\ncodes 1/1 +[0-9]+ +codes clipped \\(SDI reserved codes "
                                    "0-3, 1020-1023\\), first at \\(0,0\\) sent 0 0 0, received "
                                    "4 4 4\n"));
  verify("link.metadata = change\n", &output);
  EXPECT_THAT(output, HasSubstr("maximum mastering luminance sent 1000, received 1001"));
  EXPECT_THAT(output, HasSubstr("EOTF sent 3, received 2"));
}

TEST(Verify, InputsThatCannotCaptureAreNamed) {
  const struct {
    const char* input;
    const char* why;
  } rows[] = {
      {"input = no\n", "Could not open input device 1: device has no input interface (no_input)"},
      {"input = older\n", "the driver is older than Desktop Video 16.0"},
      {"modes = uhd\n", "device cannot capture 10-bit RGB 4:4:4 at this resolution"},
  };
  for (const auto& row : rows) {
    std::string output;
    EXPECT_EQ(1, verify(row.input, &output));
    EXPECT_THAT(output, HasSubstr(row.why));
  }
}

// Every DeckLink call of the capture side fails in turn: verify still ends
// with a verdict or says why it could not start, and releases everything.
TEST(Verify, EachNewCallFailing) {
  const struct {
    const char* method;
    int status;
    const char* said;
  } rows[] = {
      {"Input.DoesSupportVideoMode", 1, "cannot capture"},
      {"Input.SetCallback", 1, "SetCallback: E_FAIL"},
      {"Input.EnableVideoInput", 1, "EnableVideoInput: E_FAIL"},
      {"Input.StartStreams", 1, "StartStreams: E_FAIL"},
      {"Input.StopStreams", 0, "verdict: exact"},
      {"Input.DisableVideoInput", 0, "verdict: exact"},
      {"InputFrame.GetStreamTime", 0, "verdict: exact"},
      {"Buffer.GetSize", 0, "verdict: exact"},
      {"Buffer.GetBytes", 1, "verdict: NOT exact"},
      // The output's buffers too: no frame can be painted, none is sent.
      {"Buffer.StartAccess", 1, "verdict: NOT exact: a frame could not be sent"},
      {"Metadata.GetInt", 1, "verdict: NOT exact: metadata missing"},
      {"Metadata.GetFloat", 1, "verdict: NOT exact: metadata missing"},
      {"Status.GetInt", 0, "output device status: status not answered"},
      {"Status.GetFlag", 0, "verdict: exact"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.method);
    std::string output;
    SimSession* session = nullptr;
    EXPECT_EQ(row.status, verify(std::string("[faults]\nfail_method = ") + row.method + "\n",
                                 &output, &session))
        << output;
    EXPECT_THAT(output, HasSubstr(row.said)) << output;
    EXPECT_LT(0u, session->countLogLines(" injected"));
  }
}

// --verify in each way in: an exact picture is answered as always; on a
// link that changes it the answer is a failure naming the first
// difference, and the way in goes on as before.
TEST(Verify, EveryWayInProvesEachPicture) {
  const std::string kVerify = "--verify";
  const struct {
    const char* name;
    // Shows one picture and returns the answer; then checks the way in
    // still answers something else.
    std::function<std::string(const SimSession&)> answer;
    const char* exact;
    const char* changed;
  } rows[] = {
      {"serve",
       [&](const SimSession& session) {
         WayIn serve(session, {"serve", kVerify, "1"});
         serve.readLine();
         serve.write(
             "{\"cmd\":\"open\"}\n{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n"
             "{\"cmd\":\"modes\"}\n");
         serve.readLine();
         const std::string answer = serve.readLine();
         EXPECT_THAT(serve.readLine(), StartsWith("{\"ok\":true"));
         serve.closeInput();
         EXPECT_EQ(0, serve.wait());
         return answer;
       },
       "{\"ok\":true,\"x\":0",
       "{\"ok\":false,\"code\":\"failed\",\"error\":\"verify: the picture "
       "arrived changed at input device 1: levels scaled"},
      {"run",
       [&](const SimSession& session) {
         std::string output;
         EXPECT_EQ(0, runCorvane(session.environment(), {"run", "0", kVerify, "1"}, &output,
                                 "1 2 3\nhelp\n"));
         EXPECT_THAT(output, HasSubstr("Commands: "));
         return output.substr(output.find("patch> ") + 7);
       },
       "  live: R=1 G=2 B=3",
       "  display failed: verify: the picture arrived changed at input "
       "device 1: levels scaled"},
      {"resolve",
       [&](const SimSession& session) {
         ResolveChild resolve(session, "hd", true, 0, {kVerify, "1"});
         // Its black frame first, which a changing link changes too.
         resolve.acceptCorvane(false);
         std::string line = resolve.readLine();
         if (line.rfind("black frame not shown: verify: ", 0) == 0) line = resolve.readLine();
         EXPECT_THAT(line, StartsWith("connected to "));
         resolve.host.send(resolveFrame(literal::kGreyCm));
         const std::string answer = resolve.readLine();
         resolve.endWithSignal();
         return answer;
       },
       "patch 512 512 512 window",
       "patch not shown: verify: the picture arrived changed at "
       "input device 1: levels scaled"},
      {"pgen",
       [&](const SimSession& session) {
         PgenChild pgen(session, {"0", "hd", kVerify, "1"});
         LoopbackSocket host = pgen.connect();
         const std::string answer = exchange(&host, literal::kHcfrPatch, "\x02\r");
         EXPECT_EQ("ALIVE\x02\r", exchange(&host, literal::kIsAlive, "\x02\r"));
         pgen.endWithSignal();
         return answer;
       },
       "OK\x02\r", "ERR:verify: the picture arrived changed at input device 1: levels scaled"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SimSession exact(kLoop);
    EXPECT_THAT(row.answer(exact), StartsWith(row.exact));
    EXPECT_EQ("", exact.audit());
    SimSession changed(std::string(kLoop) + "link.pixels = video_levels\n");
    EXPECT_THAT(row.answer(changed), StartsWith(row.changed));
    EXPECT_EQ("", changed.audit());
    EXPECT_EQ(1u, changed.countLogLines("DisableVideoInput()"));
  }
}

// Without --verify nothing of the input is touched.
TEST(Verify, WithoutTheOptionNoInputIsOpened) {
  SimSession session(kLoop);
  std::string output;
  EXPECT_EQ(0, runCorvane(session.environment(), {"run", "0"}, &output, "1 2 3\n"));
  EXPECT_EQ(0u, session.countLogLines("IDeckLinkInput"));
}

// A signal while a picture is being proved, or while verify waits for its
// frames, releases the input and the output, and ends with 128 + its
// number (130 for SIGINT and SIGTERM).
TEST(Verify, SignalsDuringCaptureReleaseBothSides) {
  const std::string slowLink =
      std::string(kLoop) + "link.frame_ms = 150\nlink.pixels = video_levels\n";
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    SimSession session(slowLink);
    WayIn serve(session, {"serve", "--verify", "1"});
    serve.readLine();
    serve.write("{\"cmd\":\"open\"}\n{\"cmd\":\"patch\",\"r\":1,\"g\":2,\"b\":3}\n");
    serve.readLine();
    usleep(400000);  // the proof waits for up to 12 frames of 150 ms
    serve.endWithSignal(signalNumber);
    EXPECT_EQ(1u, session.countLogLines("DisableVideoInput()"));
    EXPECT_THAT(serve.readAll(), Not(HasSubstr("\"x\"")));

    SimSession other(slowLink);
    WayIn verifying(other, {"verify", "0", "1"});
    ASSERT_TRUE(verifying.readUntil("frame "));
    verifying.endWithSignal(signalNumber);
    EXPECT_EQ(1u, other.countLogLines("DisableVideoInput()"));
  }
}

}  // namespace
