#pragma once

#include <QPointer>

#include <functional>
#include <utility>

namespace jigsaw {

// The one instance of a form in the run. The form is made from its design when it is first
// wanted, and made again when it is wanted after its window was closed and deleted; what it
// keeps between windows lives outside it.
template <typename Form>
class FormInstance
{
public:
    using Loader = std::function<Form *()>;

    explicit FormInstance(Loader load)
        : m_load(std::move(load))
    {
    }
    ~FormInstance() { unload(); }
    FormInstance(const FormInstance &) = delete;
    FormInstance &operator=(const FormInstance &) = delete;

    // The form, loaded first when it has no window.
    Form *get()
    {
        if (!m_form)
            m_form = m_load();
        return m_form;
    }
    // The form while it has a window, or null; never loads it.
    Form *ifLoaded() const { return m_form; }
    // Destroys the form's window and controls.
    void unload() { delete m_form.data(); }

private:
    Loader m_load;
    QPointer<Form> m_form;
};

} // namespace jigsaw
