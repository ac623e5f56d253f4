// Thin C++ wrappers over the text-engine suites. They own their refs
// (copying adds a reference) and turn a failing host call into an
// ATE::Exception carrying the host's status; plug-in code does not catch it.
//
// The wrappers call the suites through the pointers below, which each
// module's frame fills while its suites are acquired; using a wrapper outside
// an acquisition bracket is a programming error.
#pragma once

#include "ATESuites.h"

namespace ATE {

extern const ATETextRangeSuite *sTextRange;
extern const ATECharFeaturesSuite *sCharFeatures;

struct Exception {
  ASErr error;
};

inline void Check(ASErr error) {
  if (error != kNoErr) throw Exception{error};
}

class ICharFeatures {
 public:
  explicit ICharFeatures(ATECharFeaturesRef ref) : ref_(ref) {}
  ICharFeatures(const ICharFeatures &) = delete;
  ICharFeatures &operator=(const ICharFeatures &) = delete;
  ~ICharFeatures() {
    if (ref_) sCharFeatures->Release(ref_);
  }

  // Each getter returns what the suite's getter of that name stores, and
  // whether the feature is assigned in *isAssigned (which may be null).
  ATEFontRef GetFont(bool *isAssigned) const { return Get(sCharFeatures->GetFont, isAssigned); }
  AIReal GetFontSize(bool *isAssigned) const { return Get(sCharFeatures->GetFontSize, isAssigned); }
  AIReal GetHorizontalScale(bool *isAssigned) const {
    return Get(sCharFeatures->GetHorizontalScale, isAssigned);
  }
  AIReal GetVerticalScale(bool *isAssigned) const {
    return Get(sCharFeatures->GetVerticalScale, isAssigned);
  }
  bool GetAutoLeading(bool *isAssigned) const {
    return Get(sCharFeatures->GetAutoLeading, isAssigned) != 0;
  }
  AIReal GetLeading(bool *isAssigned) const { return Get(sCharFeatures->GetLeading, isAssigned); }
  ASInt32 GetTracking(bool *isAssigned) const {
    return Get(sCharFeatures->GetTracking, isAssigned);
  }
  AIReal GetBaselineShift(bool *isAssigned) const {
    return Get(sCharFeatures->GetBaselineShift, isAssigned);
  }
  bool GetFill(bool *isAssigned) const { return Get(sCharFeatures->GetFill, isAssigned) != 0; }
  ATEApplicationPaintRef GetFillColor(bool *isAssigned) const {
    return Get(sCharFeatures->GetFillColor, isAssigned);
  }
  bool GetStroke(bool *isAssigned) const { return Get(sCharFeatures->GetStroke, isAssigned) != 0; }
  ATEApplicationPaintRef GetStrokeColor(bool *isAssigned) const {
    return Get(sCharFeatures->GetStrokeColor, isAssigned);
  }
  AIReal GetLineWidth(bool *isAssigned) const {
    return Get(sCharFeatures->GetLineWidth, isAssigned);
  }

 private:
  template <typename T>
  T Get(ASErr (*getter)(ATECharFeaturesRef, ASBoolean *, T *), bool *isAssigned) const {
    ASBoolean assigned = 0;
    T value{};
    Check(getter(ref_, &assigned, &value));
    if (isAssigned) *isAssigned = assigned != 0;
    return value;
  }

  ATECharFeaturesRef ref_;
};

class ITextRange {
 public:
  // Takes over one reference to `ref`.
  explicit ITextRange(ATETextRangeRef ref) : ref_(ref) {}
  ITextRange(const ITextRange &other) : ref_(other.ref_) {
    if (ref_) Check(sTextRange->AddRef(ref_));
  }
  ITextRange &operator=(const ITextRange &other) {
    if (this != &other) {
      if (other.ref_) Check(sTextRange->AddRef(other.ref_));
      if (ref_) sTextRange->Release(ref_);
      ref_ = other.ref_;
    }
    return *this;
  }
  ~ITextRange() {
    if (ref_) sTextRange->Release(ref_);
  }

  // An independent range over the same text: moving it leaves this one.
  ITextRange Clone() const {
    ATETextRangeRef copy = nullptr;
    Check(sTextRange->Clone(ref_, &copy));
    return ITextRange(copy);
  }
  ASInt32 GetStart() const {
    ASInt32 v = 0;
    Check(sTextRange->GetStart(ref_, &v));
    return v;
  }
  ASInt32 GetEnd() const {
    ASInt32 v = 0;
    Check(sTextRange->GetEnd(ref_, &v));
    return v;
  }
  void SetStart(ASInt32 start) { Check(sTextRange->SetStart(ref_, start)); }
  void SetEnd(ASInt32 end) { Check(sTextRange->SetEnd(ref_, end)); }
  // Copies at most capacity - 1 units and a NUL; returns the units copied.
  ASInt32 GetContents(ai_uchar16 *buffer, ASInt32 capacity) const {
    ASInt32 length = 0;
    Check(sTextRange->GetContents(ref_, buffer, capacity, &length));
    return length;
  }
  ICharFeatures GetUniqueCharFeatures() const {
    ATECharFeaturesRef features = nullptr;
    Check(sTextRange->GetUniqueCharFeatures(ref_, &features));
    return ICharFeatures(features);
  }
  ATETextRangeRef GetRef() const { return ref_; }

 private:
  ATETextRangeRef ref_;
};

}  // namespace ATE
