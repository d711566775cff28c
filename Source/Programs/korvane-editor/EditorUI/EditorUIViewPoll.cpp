#include "EditorUI/EditorUIViewPoll.h"

#include "Core/Guid.h"
#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "EditorUI/EditorUIResponses.h"

#include <algorithm>
#include <iterator>

FEditorUIViewPoll::FEditorUIViewPoll(FGameThread& InGameThread, FBuildState InBuildState, std::chrono::milliseconds InRefreshPeriod, std::chrono::milliseconds InMaxWait)
	: GameThread(InGameThread)
	, BuildState(std::move(InBuildState))
	, RefreshPeriod(InRefreshPeriod)
	, MaxWait(InMaxWait)
	, Instance(FGuid::NewGuid().ToString())
{
}

FEditorUIViewPoll::~FEditorUIViewPoll()
{
	GameThread.ClearTimer(RefreshTimer);
}

void FEditorUIViewPoll::Wait(std::string_view ReaderInstance, uint64_t ReaderRevision, FHttpResultCallback OnComplete)
{
	// At most one build per period for the readers' sake: a state that changes at every build (a
	// log line written while painting) then answers five times a second, not in a tight loop.
	if (std::chrono::steady_clock::now() - LastBuilt >= RefreshPeriod)
	{
		UpdateState();
	}
	if (ReaderInstance != Instance || ReaderRevision < Revision)
	{
		Answer(OnComplete);
		return;
	}
	Waiters.push_back(FWaiter{ReaderRevision, std::chrono::steady_clock::now() + MaxWait, std::move(OnComplete)});
	if (!RefreshTimer.IsValid())
	{
		RefreshTimer = GameThread.SetTimer(RefreshPeriod, true, [this]() { OnRefreshTimer(); });
	}
}

void FEditorUIViewPoll::Refresh()
{
	UpdateState();
	AnswerWaiters(false);
}

void FEditorUIViewPoll::UpdateState()
{
	LastBuilt = std::chrono::steady_clock::now();
	const std::shared_ptr<FJsonObject> State = BuildState();
	std::string Text = State ? FJsonSerializer::SerializeCondensed(*State) : std::string("{}");
	if (Text != StateText || Revision == 0)
	{
		StateText = std::move(Text);
		++Revision;
	}
}

void FEditorUIViewPoll::Answer(const FHttpResultCallback& OnComplete) const
{
	std::string Body = "{\"instance\":\"" + Instance + "\",\"revision\":" + std::to_string(Revision) + ",\"state\":";
	Body += StateText;
	Body += '}';
	OnComplete(EditorUIResponses::Json(Body));
}

void FEditorUIViewPoll::AnswerWaiters(bool bTimedOutToo)
{
	const auto Now = std::chrono::steady_clock::now();
	std::vector<FWaiter> Answered;
	const auto Ready = [&](const FWaiter& Waiter) { return Waiter.ReaderRevision < Revision || (bTimedOutToo && Now >= Waiter.Deadline); };
	const auto Split = std::stable_partition(Waiters.begin(), Waiters.end(), [&](const FWaiter& Waiter) { return !Ready(Waiter); });
	std::move(Split, Waiters.end(), std::back_inserter(Answered));
	Waiters.erase(Split, Waiters.end());
	for (const FWaiter& Waiter : Answered)
	{
		Answer(Waiter.OnComplete);
	}
	if (Waiters.empty())
	{
		GameThread.ClearTimer(RefreshTimer);
	}
}

void FEditorUIViewPoll::OnRefreshTimer()
{
	UpdateState();
	AnswerWaiters(true);
}
