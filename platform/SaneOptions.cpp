// A device's options: read from its descriptors, set by index or by name.
#include <sane/sane.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/SaneSession.h"

namespace {

double ToNumber(SANE_Value_Type type, SANE_Word w) {
  return type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : static_cast<double>(w);
}

SANE_Word FromNumber(SANE_Value_Type type, double v) {
  return type == SANE_TYPE_FIXED ? SANE_FIX(v) : static_cast<SANE_Word>(v < 0 ? v - 0.5 : v + 0.5);
}

TSaneOptionType TypeOf(SANE_Value_Type t) {
  switch (t) {
    case SANE_TYPE_BOOL: return TSaneOptionType::Bool;
    case SANE_TYPE_INT: return TSaneOptionType::Int;
    case SANE_TYPE_FIXED: return TSaneOptionType::Fixed;
    case SANE_TYPE_STRING: return TSaneOptionType::String;
    case SANE_TYPE_BUTTON: return TSaneOptionType::Button;
    default: return TSaneOptionType::Group;
  }
}

void ReadConstraint(const SANE_Option_Descriptor& d, TSaneOption& o) {
  switch (d.constraint_type) {
    case SANE_CONSTRAINT_RANGE:
      o.Constraint = TSaneConstraint::Range;
      o.Min = ToNumber(d.type, d.constraint.range->min);
      o.Max = ToNumber(d.type, d.constraint.range->max);
      o.Quant = ToNumber(d.type, d.constraint.range->quant);
      break;
    case SANE_CONSTRAINT_WORD_LIST:
      o.Constraint = TSaneConstraint::WordList;
      for (int i = 1; i <= d.constraint.word_list[0]; ++i)
        o.Words.push_back(ToNumber(d.type, d.constraint.word_list[i]));
      break;
    case SANE_CONSTRAINT_STRING_LIST:
      o.Constraint = TSaneConstraint::StringList;
      for (int i = 0; d.constraint.string_list[i]; ++i) o.Strings.push_back(d.constraint.string_list[i]);
      break;
    default: break;
  }
}

}  // namespace

std::vector<TSaneOption> TSaneDevice::Options() const {
  std::vector<TSaneOption> options;
  SANE_Int count = 0;
  if (sane_control_option(FHandle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
    return options;
  std::string group;
  for (int i = 1; i < count; ++i) {
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(FHandle, i);
    if (!d) continue;
    TSaneOption o;
    o.Index = i;
    o.Name = d->name ? d->name : "";
    o.Title = d->title ? d->title : "";
    o.Description = d->desc ? d->desc : "";
    o.Type = TypeOf(d->type);
    if (o.Type == TSaneOptionType::Group) {
      group = o.Title;
      continue;
    }
    o.Group = group;
    o.Unit = d->unit;
    o.Active = SANE_OPTION_IS_ACTIVE(d->cap);
    o.Settable = SANE_OPTION_IS_SETTABLE(d->cap);
    o.Readable = (d->cap & SANE_CAP_SOFT_DETECT) != 0;
    o.Advanced = (d->cap & SANE_CAP_ADVANCED) != 0;
    const bool words = o.Type == TSaneOptionType::Bool || o.Type == TSaneOptionType::Int ||
                       o.Type == TSaneOptionType::Fixed;
    o.Count = words ? std::max<int>(1, d->size / static_cast<int>(sizeof(SANE_Word))) : 1;
    ReadConstraint(*d, o);
    if (o.Active && o.Readable && o.Type != TSaneOptionType::Button && d->size > 0) {
      std::vector<SANE_Word> value(static_cast<std::size_t>(d->size) / sizeof(SANE_Word) + 2, 0);
      if (sane_control_option(FHandle, i, SANE_ACTION_GET_VALUE, value.data(), nullptr) ==
          SANE_STATUS_GOOD) {
        if (o.Type == TSaneOptionType::String)
          o.Text = std::string(reinterpret_cast<const char*>(value.data()),
                               strnlen(reinterpret_cast<const char*>(value.data()),
                                       static_cast<std::size_t>(d->size)));
        else if (o.Type == TSaneOptionType::Bool)
          o.Flag = value[0] != SANE_FALSE;
        else
          o.Number = ToNumber(d->type, value[0]);
      }
    }
    options.push_back(std::move(o));
  }
  return options;
}

const TSaneOption* TSaneDevice::Find(const std::vector<TSaneOption>& options,
                                     const std::string& name) {
  for (const TSaneOption& o : options)
    if (o.Name == name) return &o;
  return nullptr;
}

TSaneSetResult TSaneDevice::Control(int index, void* value, int action) {
  SANE_Int info = 0;
  const SANE_Status status =
      sane_control_option(FHandle, index, static_cast<SANE_Action>(action), value, &info);
  if (status != SANE_STATUS_GOOD) throw ESane("The scanner did not take the setting.", status);
  TSaneSetResult r;
  r.Inexact = info & SANE_INFO_INEXACT;
  r.ReloadOptions = info & SANE_INFO_RELOAD_OPTIONS;
  r.ReloadParameters = info & SANE_INFO_RELOAD_PARAMS;
  return r;
}

TSaneSetResult TSaneDevice::SetNumber(int index, double value) {
  const SANE_Option_Descriptor* d = sane_get_option_descriptor(FHandle, index);
  if (!d || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED))
    throw ESane("The scanner did not take the setting.", SANE_STATUS_INVAL);
  std::vector<SANE_Word> words(std::max<std::size_t>(1, d->size / sizeof(SANE_Word)),
                               FromNumber(d->type, value));
  return Control(index, words.data(), SANE_ACTION_SET_VALUE);
}

TSaneSetResult TSaneDevice::SetFlag(int index, bool value) {
  SANE_Word w = value ? SANE_TRUE : SANE_FALSE;
  return Control(index, &w, SANE_ACTION_SET_VALUE);
}

TSaneSetResult TSaneDevice::SetText(int index, const std::string& value) {
  const SANE_Option_Descriptor* d = sane_get_option_descriptor(FHandle, index);
  if (!d || d->type != SANE_TYPE_STRING)
    throw ESane("The scanner did not take the setting.", SANE_STATUS_INVAL);
  std::vector<char> text(std::max<std::size_t>(value.size() + 1, d->size), 0);
  std::copy(value.begin(), value.end(), text.begin());
  return Control(index, text.data(), SANE_ACTION_SET_VALUE);
}

TSaneSetResult TSaneDevice::Press(int index) { return Control(index, nullptr, SANE_ACTION_SET_VALUE); }

void TSaneDevice::Set(const std::string& name, const std::string& value) {
  const std::vector<TSaneOption> options = Options();
  const TSaneOption* o = Find(options, name);
  if (!o) throw std::invalid_argument("The scanner has no option " + name + ".");
  try {
    switch (o->Type) {
      case TSaneOptionType::Bool:
        SetFlag(o->Index, value == "yes" || value == "true" || value == "1");
        break;
      case TSaneOptionType::Int:
      case TSaneOptionType::Fixed: SetNumber(o->Index, std::strtod(value.c_str(), nullptr)); break;
      case TSaneOptionType::String: SetText(o->Index, value); break;
      case TSaneOptionType::Button: Press(o->Index); break;
      default: break;
    }
  } catch (const ESane& e) {
    throw ESane("The scanner did not take the setting " + name + "=" + value + ".", e.Status());
  }
}
