// SPDX-License-Identifier: MIT
#include "Generate.h"

#include "JsonAnswer.h"
#include "Prompt.h"
#include "RequestValidation.h"
#include "Upstream.h"
#include "analysis/ParseResult.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

Answer failure(const Completion& completion, const UpstreamSettings& upstream)
{
    switch (completion.status) {
    case Completion::Status::Unreachable:
        return {502, errorJson(u"无法连接模型服务（%1）：请在运行分析服务的机器上启动模型服务，"
                               u"或用环境变量 ZORVIK_UPSTREAM_URL、ZORVIK_MODEL 和 ZORVIK_API_KEY "
                               u"配置一个兼容 OpenAI 接口的模型服务"_s.arg(
                                   upstream.baseUrl.toDisplayString()))};
    case Completion::Status::TimedOut:
        return {504, errorJson(u"模型服务响应超时，请稍后再试"_s)};
    default:
        return {502, errorJson(u"模型服务出错，请稍后再试"_s)};
    }
}

} // namespace

Answer generate(std::string_view body, const UpstreamSettings& upstream)
{
    const auto deadline = Clock::now() + upstream.budget;
    const auto validated = validateRequest(body);
    if (const auto* rejection = std::get_if<Rejection>(&validated)) {
        return {rejection->status, errorJson(rejection->error)};
    }
    const QJsonArray messages = analysisMessages(std::get<AnalysisRequest>(validated));

    const Completion first = complete(upstream, messages, upstream.budget);
    if (first.status != Completion::Status::Ok) {
        return failure(first, upstream);
    }
    const AnalysisResult parsed = parseResult(first.text);
    if (isUsable(parsed)) {
        return {200, resultJson(first.text)};
    }

    // The retry gets what is left of the one budget, so the app's own timeout never fires first.
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left <= std::chrono::milliseconds::zero()) {
        return failure({Completion::Status::TimedOut, {}}, upstream);
    }
    const Completion second =
        complete(upstream, withCorrection(messages, first.text, parsed), left);
    if (second.status != Completion::Status::Ok) {
        return failure(second, upstream);
    }
    if (isUsable(parseResult(second.text))) {
        return {200, resultJson(second.text)};
    }
    return {502, errorJson(u"模型的回答不完整，缺少潜台词或回复方案，请再试一次"_s)};
}
