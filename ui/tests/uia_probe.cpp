// What a Windows screen reader (NVDA, JAWS, Narrator) reads of the game: a UI Automation client,
// through COM's IUIAutomation, run under Wine by uia_game.py.
//
//     uia_probe names            every element of each window of the game (its own, and a message
//                                box if one is up), a line each: "window<TAB>title" for the
//                                window, then "<control type><TAB>invoke|-|?<TAB>name" (UTF-8,
//                                a line break in a name written \n)
//     uia_probe invoke PREFIX    invokes the first element whose name begins with PREFIX, as a
//                                reader's user does with a button
//
// After each window's line, "frame<TAB>minimize=…<TAB>maximize=…<TAB>close=…<TAB>resize=…" says
// which title-bar buttons and border it has (1 or 0; ? where it cannot be read), as the window's
// styles and system menu give them, then "<TAB>uia-minimize=…<TAB>uia-maximize=…" as UI
// Automation's window properties answer (1, 0, or ? where the client answers nothing).
//
// The first request of a client reaches the window as WM_GETOBJECT, which is what wakes Qt's UI
// Automation: before it, the game raises nothing. Exits with 1 and a message when the game's
// window, or the element to invoke, is not found.
#include <cstdio>
#include <cstring>
#include <initguid.h> // the interfaces' and classes' ids, defined here
#include <ole2.h>
#include <string>
#include <uiautomation.h>
#include <vector>
#include <windows.h>

namespace {

// A COM pointer released at the end of its scope.
template <class T> class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    T** put() { return &p_; }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

std::string utf8(const wchar_t* text, int length) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string nameOf(IUIAutomationElement* element) {
    BSTR name = nullptr;
    if (FAILED(element->get_CurrentName(&name)) || name == nullptr) {
        return {};
    }
    std::string text = utf8(name, static_cast<int>(SysStringLen(name)));
    SysFreeString(name);
    std::string escaped;
    for (const char c : text) {
        escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return escaped;
}

// The game's top-level windows: its own ("Pentora", or the computer's titles while it plays) and
// its message boxes (titled "Pentora" or "ATTENZIONE!"), those of this desktop that are shown.
std::vector<HWND> gameWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t title[256] = {};
            GetWindowTextW(window, title, 256);
            const std::wstring text(title);
            if (IsWindowVisible(window) && (text == L"Pentora" || text == L"ATTENZIONE!" ||
                                            text.starts_with(L"Il computer"))) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Calls visit on the element and then on every element below it.
template <class Visit>
void forEach(IUIAutomation* automation, IUIAutomationElement* root, const Visit& visit) {
    visit(root);
    Com<IUIAutomationCondition> everything;
    Com<IUIAutomationElementArray> found;
    if (FAILED(automation->CreateTrueCondition(everything.put())) ||
        FAILED(root->FindAll(TreeScope_Descendants, everything.get(), found.put())) || !found) {
        return;
    }
    int count = 0;
    found->get_Length(&count);
    for (int i = 0; i < count; ++i) {
        Com<IUIAutomationElement> element;
        if (SUCCEEDED(found->GetElement(i, element.put())) && element) {
            visit(element.get());
        }
    }
}

// Whether the element offers the Invoke pattern, as a reader asks before it offers to press it:
// "invoke", "-" (it does not), or "?" where the client cannot tell (Wine 10's answers nothing).
const char* invokable(IUIAutomationElement* element) {
    VARIANT available;
    VariantInit(&available);
    const char* answer = "?";
    if (SUCCEEDED(
            element->GetCurrentPropertyValue(UIA_IsInvokePatternAvailablePropertyId, &available)) &&
        available.vt == VT_BOOL) {
        answer = available.boolVal == VARIANT_TRUE ? "invoke" : "-";
    }
    VariantClear(&available);
    return answer;
}

// Invokes the first element under `root` whose name begins with `prefix`, through its Invoke
// pattern, as a reader's user presses a button. (Wine 10's client has no pattern interfaces.)
bool invokeByName(IUIAutomation* automation, IUIAutomationElement* root, const char* prefix) {
    bool done = false;
    forEach(automation, root, [&](IUIAutomationElement* element) {
        if (done || !nameOf(element).starts_with(prefix)) {
            return;
        }
        Com<IUIAutomationInvokePattern> pattern;
        done = SUCCEEDED(element->GetCurrentPatternAs(UIA_InvokePatternId,
                                                      IID_IUIAutomationInvokePattern,
                                                      reinterpret_cast<void**>(pattern.put()))) &&
               pattern && SUCCEEDED(pattern->Invoke());
    });
    return done;
}

// A window property of UI Automation's as "1", "0", or "?" where the client has no answer.
const char* windowCan(IUIAutomationElement* element, PROPERTYID property) {
    VARIANT value;
    VariantInit(&value);
    const char* answer = "?";
    if (SUCCEEDED(element->GetCurrentPropertyValue(property, &value)) && value.vt == VT_BOOL) {
        answer = value.boolVal == VARIANT_TRUE ? "1" : "0";
    }
    VariantClear(&value);
    return answer;
}

// The title bar's buttons and the border as Windows draws them: the minimize and maximize boxes
// and a sizing border are window styles; close is the system menu's, greyed when not offered
// ("?" where this client cannot read another program's menu, as under Wine).
void printFrame(HWND window, IUIAutomationElement* root) {
    const auto style = static_cast<unsigned long>(GetWindowLongPtrW(window, GWL_STYLE));
    const HMENU menu = GetSystemMenu(window, FALSE);
    const UINT state = menu == nullptr ? ~0U : GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
    const char* close = (style & WS_SYSMENU) == 0                  ? "0"
                        : state == ~0U                             ? "?"
                        : (state & (MF_GRAYED | MF_DISABLED)) != 0 ? "0"
                                                                   : "1";
    std::printf("frame\tminimize=%d\tmaximize=%d\tclose=%s\tresize=%d\tuia-minimize=%s\t"
                "uia-maximize=%s\n",
                (style & WS_MINIMIZEBOX) != 0 ? 1 : 0, (style & WS_MAXIMIZEBOX) != 0 ? 1 : 0, close,
                (style & WS_THICKFRAME) != 0 ? 1 : 0,
                windowCan(root, UIA_WindowCanMinimizePropertyId),
                windowCan(root, UIA_WindowCanMaximizePropertyId));
}

} // namespace

int main(int argc, char* argv[]) {
    const bool invoke = argc == 3 && std::strcmp(argv[1], "invoke") == 0;
    if (!invoke && !(argc == 2 && std::strcmp(argv[1], "names") == 0)) {
        std::fprintf(stderr, "usage: uia_probe names | uia_probe invoke PREFIX\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        std::fprintf(stderr, "COM did not start\n");
        return 1;
    }
    int status = 1;
    {
        Com<IUIAutomation> automation;
        const HRESULT made =
            CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUIAutomation,
                             reinterpret_cast<void**>(automation.put()));
        if (FAILED(made) || !automation) {
            std::fprintf(stderr, "no UI Automation client (0x%08lx)\n",
                         static_cast<unsigned long>(made));
            CoUninitialize();
            return 1;
        }
        const std::vector<HWND> windows = gameWindows();
        if (windows.empty()) {
            std::fprintf(stderr, "no window of the game\n");
        }
        for (HWND window : windows) {
            Com<IUIAutomationElement> root;
            if (FAILED(automation->ElementFromHandle(window, root.put())) || !root) {
                continue;
            }
            if (invoke) {
                if (invokeByName(automation.get(), root.get(), argv[2])) {
                    status = 0;
                    break;
                }
                continue;
            }
            std::printf("window\t%s\n", nameOf(root.get()).c_str());
            printFrame(window, root.get());
            forEach(automation.get(), root.get(), [](IUIAutomationElement* element) {
                CONTROLTYPEID type = 0;
                element->get_CurrentControlType(&type);
                std::printf("%d\t%s\t%s\n", static_cast<int>(type), invokable(element),
                            nameOf(element).c_str());
            });
            status = 0;
        }
        if (invoke && status != 0) {
            std::fprintf(stderr, "nothing named '%s...' could be invoked\n", argv[2]);
        }
        std::fflush(stdout);
    }
    CoUninitialize();
    return status;
}
