// SPDX-License-Identifier: MIT
// Prints how long parsing takes next to one QString::indexOf scan over the same text, run
// for run on this machine; the ratio is the figure that matters.
#include "analysis/ParseResult.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// About the length of a full answer from the service: 2 KB of UTF-8.
const QString kAnswer =
    u"· 潜台词：他其实在催你给出准确时间，而且对上次的延期已经有些不满。表面上是在问进度，"
    u"实际上是在提醒你：这件事在他那里的优先级很高，他需要一个可以向上汇报的确定答复，"
    u"而不是一段解释。如果这次再含糊其辞，他很可能会认为你对时间没有把握。\n"
    u"· 类型：结果导向型\n"
    u"· 底层逻辑：只关心事情能否按时完成，不太在意过程中的困难，更看重你是否主动同步进展。"
    u"这类领导习惯用结果来衡量人，对“正在做”“快好了”这类说法天然缺乏耐心；"
    u"他们欣赏的是提前暴露风险、给出备选方案、并且说到做到的下属。\n"
    u"\n"
    u"A【稳妥型】：收到，今天下班前给您确切时间。我先和测试同事确认剩余的用例，"
    u"把风险点列清楚再向您汇报，保证给出的时间是能兑现的。 → 先表态再争取时间\n"
    u"B【坦诚型】：目前卡在测试环节，主要是两个接口的兼容问题还没解决，预计周四完成。"
    u"如果周三晚上还没有进展，我会第一时间告诉您，并同时准备一个先上线核心功能的方案。\n"
    u"C【主动型】：我先把已完成的部分发您过目，剩下的部分我每天下班前同步一次进度，"
    u"有任何变化都会提前说明，您看这样安排可以吗？ → 用进度换信任\n"
    u"\n"
    u"📖 职场秘籍\n"
    u"先给结论，再给理由。领导问时间的时候，往往想要的是一个确定的答复：先说能不能、"
    u"什么时候，再说为什么、需要什么支持。把“我尽量”换成“我保证在某个时间前给您答复”，"
    u"把被动等待追问变成主动定期同步。时间承诺宁可保守一点，也不要一再延期；"
    u"真正损害信任的从来不是一次延期，而是延期之前的沉默。遇到风险时尽早说出来，"
    u"同时带上你的解决方案和需要的资源，这样领导感受到的是掌控感，而不是意外。"
    u"长期坚持下去，你会发现领导追问的次数越来越少，交给你的事情却越来越重要。"_s;

// Prose that looks like an answer (colons, brackets, letters, line feeds) but holds no marker,
// put before the answer so that every search runs through all of it.
QString synthetic(qsizetype bytes)
{
    const QString paragraph =
        u"说明：这段话只是铺垫，领导的原话是“这周能不能搞定”，语气比较急。\n"_s
        u"背景：项目在 3 月立项，A 组负责接口，B 组负责测试，目前进度约 70%。\n"_s
        u"补充：上次延期的原因是需求变更，这次需要提前同步风险和备选方案。\n"_s
        u"【备注】以上信息仅供参考 -> 请结合实际情况判断，不必逐条回复。\n"_s;
    QString text;
    text.reserve(bytes / 2);
    const qsizetype paragraphBytes = paragraph.toUtf8().size();
    qsizetype size = kAnswer.toUtf8().size();
    while (size + paragraphBytes <= bytes) {
        text += paragraph;
        size += paragraphBytes;
    }
    return text + kAnswer;
}

// Best of several rounds, each timing `repeats` calls; nanoseconds per call.
double timed(const std::function<void()>& work, int repeats)
{
    double best = 1e300;
    for (int round = 0; round < 10; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < repeats; ++i)
            work();
        best = std::min(best, double(timer.nsecsElapsed()) / repeats);
    }
    return best;
}

void measure(const char* name, const QString& text, int repeats)
{
    qsizetype sink = 0;
    const double parse = timed([&] { sink += parseResult(text).replies.size(); }, repeats);
    // One character that is not in the text, so the scan covers all of it: Qt's fastest search.
    const double scan = timed([&] { sink += text.indexOf(QChar(0x2603)); }, repeats);
    // Sizes as the service sends them; the parser itself reads UTF-16.
    const double bytes = double(text.toUtf8().size());
    std::printf("%-17s %9.0f bytes UTF-8  parse %10.1f us (%7.1f MB/s)  scan %9.1f us  "
                "ratio %6.2f%s\n",
                name, bytes, parse / 1e3, bytes / parse * 1e3, scan / 1e3, parse / scan,
                sink == 0 ? " (no replies?)" : "");
}

} // namespace

int main()
{
    measure("realistic answer", kAnswer, 20000);
    measure("synthetic 1 MiB", synthetic(1 << 20), 20);
    measure("synthetic 16 MiB", synthetic(16 << 20), 3);
    return 0;
}
