#pragma once

#include "host/HostApi.h"
#include "host/engine/RenderDriverListener.h"

namespace ui {

// A listener of a view that wants to know when the view starts to be drawn: initView() runs once
// per drawing of the view it is registered with.
class KEL_HOST_API ViewListener : public RenderDriverListener {
public:
    void initView(RenderView*) override { initView(); }
    virtual void initView() {}
};

} // namespace ui
