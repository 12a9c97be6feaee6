// SPDX-License-Identifier: MIT
#include "Prompt.h"

#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

QString workplace(const QString& industry)
{
    if (industry == u"state"_s) {
        return u"体制内单位（机关、事业单位或国企）：讲究层级、分寸和稳妥，话要留余地，"
               u"避免让领导下不来台"_s;
    }
    if (industry == u"tech"_s) {
        return u"互联网大厂：节奏快、讲结果和数据，沟通直接，重视对齐、边界和可落地的方案"_s;
    }
    return u"私营企业：老板或上级看重效率和成本，人情和结果并重，表态要实在"_s;
}

// A role is user text inside the system prompt; keeping it on one line keeps the prompt's
// structure intact.
QString role(const QString& typed, const QString& fallback)
{
    QString r = typed.simplified();
    return r.isEmpty() ? fallback : r;
}

QString systemPrompt(const AnalysisRequest& request)
{
    const QString me = role(request.myRole, u"员工"_s);
    const QString other = role(request.otherRole, u"对方"_s);
    return uR"(你是一位深谙职场沟通的顾问。用户的身份是「%1」，给他发消息的人是「%2」，工作环境是%3。
用户会给你对方发来的消息，有时还有他想表达的真实意思。请读懂对方的言外之意，并替用户写出三种得体的回复。

只输出下面这个格式的纯文本，不要 Markdown，不要代码块，不要在前后加任何其他文字：
· 潜台词：（一句话说明对方这条消息真正的意思）
· 类型：（对方的沟通类型，几个字，例如 结果导向型）
· 底层逻辑：（一句话说明这种类型的人在意什么）
A【稳妥型】：（回复内容） → （这条回复的策略）
B【坦诚型】：（回复内容） → （这条回复的策略）
C【主动型】：（回复内容） → （这条回复的策略）
📖 职场秘籍
（一条简短的职场建议，不超过120个字）

格式要求，必须逐条遵守：
1. 每个项目单独占一行，每行末尾换行；前三行以「· 」开头，冒号用全角「：」。
2. A、B、C 三行都要有，字母后紧跟全角方括号【】，括号里是回复风格（可以按情况换成别的两三个字），括号后是全角冒号「：」。
3. 回复内容和策略里不要再出现全角冒号「：」，也不要换行；回复内容和策略之间用「空格→空格」分隔。
4. 回复要符合「%1」对「%2」说话的身份和分寸，贴合上面的工作环境，可以直接复制发送。
5. 用户写了真实意思时，三条回复都要把这个意思表达出来，只是说法不同。)"_s.arg(
        me, other, workplace(request.industry));
}

QJsonObject message(const QString& role, const QString& content)
{
    return QJsonObject{{u"role"_s, role}, {u"content"_s, content}};
}

} // namespace

QJsonArray analysisMessages(const AnalysisRequest& request)
{
    return QJsonArray{message(u"system"_s, systemPrompt(request)),
                      message(u"user"_s, request.message)};
}

bool isUsable(const AnalysisResult& result)
{
    return result.subtext.has_value() && !result.replies.isEmpty();
}

QJsonArray withCorrection(QJsonArray messages, const QString& answer, const AnalysisResult& parsed)
{
    QStringList missing;
    if (!parsed.subtext) {
        missing << u"以「· 潜台词：」开头的一行"_s;
    }
    if (parsed.replies.isEmpty()) {
        missing << u"以 A【、B【、C【 开头、格式为「A【风格】：回复内容 → 策略」的回复行"_s;
    }
    messages.append(message(u"assistant"_s, answer));
    messages.append(
        message(u"user"_s,
                u"你的回答缺少%1。请严格按照系统提示里的格式，从「· 潜台词：」开始完整地重新输出，"
                u"每一行末尾都要换行，不要任何其他文字。"_s.arg(missing.join(u"，以及"_s))));
    return messages;
}
