# Creates or updates a Blueprint from a deploy request (POST /korvane/blueprint/deploy).
#
# The connector runs this script in the editor's __main__ with __kv_payload_path (the request
# body) and __kv_result_path set. The request has the shape of a gathered Blueprint: name, path,
# parentClass, variables, components (with template properties), functions and graphs. The script
# creates the Blueprint (or takes the one already at that path), adds what is missing, updates
# what changed, compiles and saves it, and writes one JSON object to __kv_result_path: a report
# per step (create, variables, components, componentProperties, functions, compile), then
# blueprintPath, success and, when it could not work, error.
#
# What an update never does: delete variables, components, functions or parameters the request
# does not mention, change a component's class or parent, or reparent the Blueprint; fields an
# entry leaves out stay as they are, and so do set and map variables, whose containers the
# gathered shape cannot describe. A new Blueprint loses its DefaultSceneRoot when the request
# brings a root scene component of its own instead. Array containers of variables are left to the
# connector, which promotes the variables marked isArray after this script; graphs are pasted by
# the connector too. Event graph pages and function graphs that the request names (in functions,
# eventGraphs, or as graphs of type event or function) are made here so the paste finds them, and
# so is every graph given as copy-paste text that the Blueprint lacks: a text with a function entry
# node as a function graph, any other as an event graph page.
#
# The script leaves __main__ as it found it: every global it defines is removed (and any it
# replaced is restored) when it ends, and the result file is written whatever happens. This
# header is a comment rather than a docstring, which would set __main__.__doc__ before the
# snapshot below is taken.

__kv_deploy_saved_globals = dict(globals())

import json

STEP_NAMES = ('create', 'variables', 'components', 'componentProperties', 'functions', 'compile')
DEFAULT_FOLDER = '/Game/Generated'
CONTENT_ROOT = '/Game'
REFUSED_NAME_CHARACTERS = '\\:*?"<>|\' ,.&!~@#/'
CORE_STRUCTS = {
    'vector': '/Script/CoreUObject.Vector',
    'vector2d': '/Script/CoreUObject.Vector2D',
    'rotator': '/Script/CoreUObject.Rotator',
    'transform': '/Script/CoreUObject.Transform',
    'linearcolor': '/Script/CoreUObject.LinearColor',
    'color': '/Script/CoreUObject.LinearColor',
}
SIMPLE_CATEGORIES = ('bool', 'byte', 'int', 'int64', 'name', 'string', 'text')
CLASS_CATEGORIES = ('object', 'class', 'softobject', 'softclass', 'interface')
NO_BLUEPRINT = 'the Blueprint could not be created or found'


class DeployError(Exception):
    """A request the script cannot work with; its text becomes the result's error."""


# Pure helpers: request fields to editor terms.

def asset_name_problem(name):
    """Why a text cannot be an asset name, or None when it can."""
    if not isinstance(name, str) or not name:
        return 'the name is empty'
    for character in name:
        if character in REFUSED_NAME_CHARACTERS or ord(character) < 0x20 or ord(character) == 0x7f:
            return 'the name %r holds the character %r, which asset names cannot hold' % (name, character)
    return None


def deploy_folder(path):
    """The content folder a request's path names: a folder, or the folder of an asset's object path."""
    folder = DEFAULT_FOLDER if path is None else path
    if not isinstance(folder, str):
        raise DeployError('path must be a string')
    folder = folder.rstrip('/')
    segments = folder.split('/')
    if '.' in segments[-1] and len(segments) > 2:
        folder = '/'.join(segments[:-1])
        segments = segments[:-1]
    if folder != CONTENT_ROOT and not folder.startswith(CONTENT_ROOT + '/'):
        raise DeployError("Blueprints are deployed under %s, not to '%s'" % (CONTENT_ROOT, path))
    for segment in segments[1:]:
        if asset_name_problem(segment) is not None:
            raise DeployError("'%s' is not a valid content folder" % path)
    return folder


def class_reference_path(text):
    """The class path inside a reference such as /Script/CoreUObject.Class'/Script/Engine.Actor'."""
    text = text.strip()
    quote = text.find("'")
    if quote > 0 and text.endswith("'"):
        text = text[quote + 1:-1].strip('"')
    return text


def export_text(value):
    """A property value from the request as the editor's export text; None for values that have none."""
    if isinstance(value, bool):
        return 'True' if value else 'False'
    if isinstance(value, str):
        return value
    if isinstance(value, int):
        return str(value)
    if isinstance(value, float):
        return '%f' % value
    return None


def pin_type_fields(entry, find_class_path, container_type='None'):
    """(category, sub_category, sub_category_object, container_type) for a variable or parameter entry.

    entry has type and, for structures, enumerations and classes, subTypePath or subType;
    find_class_path turns a class name into its path (None when unknown).
    """
    word = entry.get('type')
    if not isinstance(word, str) or not word:
        raise DeployError('no type')
    word = word.lower()
    sub_path = entry.get('subTypePath') or ''
    sub_name = entry.get('subType') or ''
    if word in CORE_STRUCTS:
        return 'struct', '', CORE_STRUCTS[word], container_type
    if word in ('real', 'float', 'double'):
        precision = entry.get('subCategory') or ('float' if word == 'float' else 'double')
        return 'real', precision, '', container_type
    if word in SIMPLE_CATEGORIES:
        return word, '', sub_path, container_type
    if word in ('struct', 'enum'):
        path = sub_path or CORE_STRUCTS.get(sub_name.lower(), '')
        if not path:
            raise DeployError("type '%s' needs a subTypePath" % word)
        return word, '', path, container_type
    if word in CLASS_CATEGORIES:
        path = sub_path or (find_class_path(sub_name) if sub_name else '/Script/CoreUObject.Object')
        if not path:
            raise DeployError("unknown class '%s'" % sub_name)
        return word, '', class_reference_path(path), container_type
    raise DeployError("unknown type '%s'" % entry.get('type'))


def same_pin_type(first, second):
    """Whether two pin types name the same type, however their sub-category objects are spelled."""
    def fields(pin_type):
        sub_object = class_reference_path(pin_type.sub_category_object)
        return pin_type.category, pin_type.sub_category, '' if sub_object == 'None' else sub_object, pin_type.container_type
    return fields(first) == fields(second)


def requested_graph_names(request, kind):
    """Names the request gives for graphs of a kind ('event' or 'function'), in order, each once."""
    names = []
    listed = request.get('eventGraphs') if kind == 'event' else request.get('functions')
    for item in listed if isinstance(listed, list) else []:
        name = item.get('name') if isinstance(item, dict) else item
        if isinstance(name, str) and name not in names:
            names.append(name)
    graphs = request.get('graphs')
    for name, graph in (graphs.items() if isinstance(graphs, dict) else []):
        if isinstance(graph, dict) and graph.get('type') == kind and name not in names:
            names.append(name)
    return names


def step_report(added=(), updated=(), unchanged=0, failed=(), **extra):
    """A step's report: ok unless something failed."""
    report = {'status': 'error' if failed else 'ok', 'added': list(added), 'updated': list(updated), 'unchanged': unchanged}
    report.update(extra)
    if failed:
        report['failed'] = list(failed)
    return report


def skipped(reason):
    return {'status': 'skipped', 'reason': reason}


def failure(name, reason):
    return {'name': name, 'reason': reason}


# Steps that work on the Blueprint through the editor module.

def find_class_path(editor, name):
    found = editor.find_class(name)
    return found.get_path_name() if found is not None else None


def make_pin_type(editor, entry, container_type='None'):
    category, sub_category, sub_object, container = pin_type_fields(entry, lambda name: find_class_path(editor, name), container_type)
    return editor.PinType(category, sub_category, sub_object, container)


def resolve_parent_class(editor, request):
    parent = request.get('parentClass') or 'Actor'
    if not isinstance(parent, str):
        raise DeployError('parentClass must be a string')
    found = editor.find_class(class_reference_path(parent))
    if found is None:
        raise DeployError("Unknown parent class '%s'" % parent)
    return found


def create_or_find(editor, request, folder, name):
    """(blueprint, created, create report); DeployError when there is no Blueprint to work on."""
    parent = resolve_parent_class(editor, request)
    package_path = folder + '/' + name
    if editor.does_asset_exist(package_path):
        existing = editor.load_asset(package_path)
        if existing is None:
            raise DeployError('An asset at %s exists but could not be loaded' % package_path)
        if not existing.is_a('Blueprint'):
            raise DeployError('An asset of class %s is already at %s' % (existing.get_class().get_name(), package_path))
        report = {'status': 'ok', 'action': 'updated', 'parentClass': parent.get_name()}
        current_parent = editor.get_parent_class(existing)
        if current_parent != parent:
            report['parentClass'] = current_parent.get_name() if current_parent is not None else ''
            report['requestedParentClass'] = parent.get_name()
            report['note'] = 'the parent class is kept: deploy does not reparent a Blueprint'
        return existing, False, report
    try:
        blueprint = editor.create_blueprint(parent, folder, name)
    except ValueError as error:
        raise DeployError(str(error))
    if blueprint is None:
        raise DeployError('Cannot create a Blueprint of %s' % parent.get_name())
    return blueprint, True, {'status': 'ok', 'action': 'created', 'parentClass': parent.get_name()}


def variable_changes(editor, entry, details):
    """The set_member_variable_details arguments that make an existing variable what the entry says."""
    changes = {}
    current = details['pin_type']
    container = 'None' if current.container_type == 'Array' and entry.get('isArray') is False else current.container_type
    wanted = make_pin_type(editor, entry, container)
    if container not in ('Set', 'Map') and not same_pin_type(wanted, current):
        changes['pin_type'] = wanted
    for key, detail in (('defaultValue', 'default_value'), ('category', 'category'), ('replicationCondition', 'replication_condition'),
                        ('repNotifyFunc', 'rep_notify_func'), ('tooltip', 'tooltip')):
        if isinstance(entry.get(key), str) and entry[key] != details[detail]:
            changes[detail] = entry[key]
    for key, detail in (('replicated', 'replicated'), ('exposeOnSpawn', 'expose_on_spawn')):
        if isinstance(entry.get(key), bool) and entry[key] != details[detail]:
            changes[detail] = entry[key]
    return changes


def new_variable_details(entry):
    details = {}
    for key, detail in (('category', 'category'), ('replicated', 'replicated'), ('replicationCondition', 'replication_condition'),
                        ('repNotifyFunc', 'rep_notify_func'), ('exposeOnSpawn', 'expose_on_spawn'), ('tooltip', 'tooltip')):
        value = entry.get(key)
        if isinstance(value, (str, bool)) and value not in ('', False):
            details[detail] = value
    return details


def deploy_variables(editor, blueprint, request):
    entries = request.get('variables')
    if not isinstance(entries, list) or not entries:
        return skipped('the request has no variables')
    added, updated, failed, unchanged = [], [], [], 0
    for entry in entries:
        name = entry.get('name') if isinstance(entry, dict) else None
        if not isinstance(name, str) or not name:
            failed.append(failure(repr(name), 'a variable needs a name'))
            continue
        try:
            details = editor.get_member_variable_details(blueprint, name)
            if details is None:
                default = entry.get('defaultValue') if isinstance(entry.get('defaultValue'), str) else ''
                if not editor.add_member_variable(blueprint, name, make_pin_type(editor, entry), default):
                    failed.append(failure(name, 'the name is taken by another member or is not a valid name'))
                    continue
                editor.set_member_variable_details(blueprint, name, **new_variable_details(entry))
                added.append(name)
                continue
            changes = variable_changes(editor, entry, details)
            if changes:
                editor.set_member_variable_details(blueprint, name, **changes)
                updated.append(name)
            else:
                unchanged += 1
        except (DeployError, ValueError, TypeError) as error:
            failed.append(failure(name, str(error)))
    return step_report(added, updated, unchanged, failed)


def is_root(entry):
    parent = entry.get('parent')
    return parent in (None, '', 'root')


def is_scene_component(editor, class_name):
    found = editor.find_class(class_name) if class_name else None
    return found is not None and found.is_child_of('SceneComponent')


def component_class_name(entry):
    value = entry.get('classPath') or entry.get('class')
    return class_reference_path(value) if isinstance(value, str) else None


def drop_default_root(editor, blueprint, entries):
    """A new Blueprint's DefaultSceneRoot goes when the request brings its own root scene component instead."""
    names = {entry.get('name') for entry in entries}
    brings_root = any(is_root(entry) and is_scene_component(editor, component_class_name(entry)) for entry in entries)
    if 'DefaultSceneRoot' not in names and brings_root and editor.remove_component(blueprint, 'DefaultSceneRoot'):
        return ['DefaultSceneRoot']
    return []


def check_existing_component(editor, entry, existing):
    """Why an existing component cannot become what the entry says, or None when it already is."""
    name, class_name, parent = existing
    wanted_class = editor.find_class(component_class_name(entry) or '')
    if wanted_class is not None and wanted_class.get_name() != class_name:
        return 'it is a %s; deploy does not change a component\'s class' % class_name
    wanted_parent = None if is_root(entry) else entry['parent']
    if (wanted_parent or '').lower() != (parent or '').lower():
        return "it is under '%s'; deploy does not move a component" % (parent or 'root')
    return None


def add_requested_component(editor, blueprint, entry):
    class_name = component_class_name(entry)
    component_class = editor.find_class(class_name) if class_name else None
    if component_class is None:
        raise DeployError("unknown component class '%s'" % (class_name or ''))
    return editor.add_component(blueprint, component_class, entry['name'], parent=None if is_root(entry) else entry['parent'])


def deploy_components(editor, blueprint, request, created, names):
    """Adds the missing components; names maps each requested name to the component's actual name."""
    entries = [entry for entry in request.get('components') or [] if isinstance(entry, dict)]
    if not entries:
        return skipped('the request has no components')
    try:
        current = {name.lower(): (name, class_name, parent) for name, class_name, parent in editor.get_components(blueprint)}
    except ValueError as error:
        return {'status': 'error', 'error': str(error)}
    removed = drop_default_root(editor, blueprint, entries) if created else []
    for name in removed:
        current.pop(name.lower(), None)
    added, failed, unchanged, renamed = [], [], 0, {}
    pending = list(entries)
    while pending:
        waiting = []
        for entry in pending:
            name = entry.get('name')
            if not isinstance(name, str) or not name:
                failed.append(failure(repr(name), 'a component needs a name'))
            elif not (entry.get('parent') is None or isinstance(entry['parent'], str)):
                failed.append(failure(name, 'its parent must be a component name or root'))
            elif name.lower() in current:
                problem = check_existing_component(editor, entry, current[name.lower()])
                names[name] = current[name.lower()][0]
                if problem:
                    failed.append(failure(name, problem))
                else:
                    unchanged += 1
            elif not is_root(entry) and entry['parent'].lower() not in current:
                waiting.append(entry)
            else:
                try:
                    actual = add_requested_component(editor, blueprint, entry)
                except (DeployError, ValueError, TypeError) as error:
                    failed.append(failure(name, str(error)))
                    continue
                current[actual.lower()] = (actual, component_class_name(entry), None if is_root(entry) else entry['parent'])
                current.setdefault(name.lower(), current[actual.lower()])
                names[name] = actual
                added.append(actual)
                if actual != name:
                    renamed[name] = actual
        if len(waiting) == len(pending):
            failed.extend(failure(entry['name'], "its parent '%s' is not a component of the Blueprint" % entry['parent']) for entry in waiting)
            break
        pending = waiting
    extra = {'removed': removed} if removed else {}
    if renamed:
        extra['renamed'] = renamed
    return step_report(added, (), unchanged, failed, **extra)


def deploy_component_properties(editor, blueprint, request, names):
    entries = [entry for entry in request.get('components') or [] if isinstance(entry, dict) and isinstance(entry.get('properties'), dict)]
    if not entries:
        return skipped('no component has properties')
    set_count, unchanged, components, failed = 0, 0, [], []
    for entry in entries:
        name = names.get(entry.get('name'))
        if name is None:
            failed.append(failure(str(entry.get('name')), 'the component is not in the Blueprint'))
            continue
        template = editor.get_component_template(blueprint, name)
        for property_name, value in entry['properties'].items():
            text = export_text(value)
            if text is None:
                failed.append(failure('%s.%s' % (name, property_name), 'the value is not export text'))
                continue
            try:
                if template.get_property_text(property_name) == text:
                    unchanged += 1
                    continue
                template.set_property_text(property_name, text)
            except (AttributeError, ValueError) as error:
                failed.append(failure('%s.%s' % (name, property_name), str(error)))
                continue
            set_count += 1
            if name not in components:
                components.append(name)
    report = {'status': 'error' if failed else 'ok', 'set': set_count, 'unchanged': unchanged, 'components': components}
    if failed:
        report['failed'] = failed
    return report


def parameter_list(editor, entry, key):
    """[(name, PinType)] of a function entry's inputs or outputs."""
    parameters = []
    for parameter in entry.get(key) or []:
        if not isinstance(parameter, dict) or not isinstance(parameter.get('name'), str):
            raise DeployError('each of %s needs a name and a type' % key)
        container = 'Array' if parameter.get('isArray') is True else 'None'
        parameters.append((parameter['name'], make_pin_type(editor, parameter, container)))
    return parameters


def update_parameters(editor, blueprint, name, wanted, current, output):
    """Adds the missing parameters and retypes the changed ones; True when anything changed."""
    current_types = {parameter.lower(): pin_type for parameter, pin_type in current}
    changed = False
    for parameter, pin_type in wanted:
        existing = current_types.get(parameter.lower())
        if existing is not None and existing == pin_type:
            continue
        if existing is not None:
            editor.remove_function_parameter(blueprint, name, parameter, output=output)
        if not editor.add_function_parameter(blueprint, name, parameter, pin_type, output=output):
            raise DeployError("the parameter name '%s' is taken" % parameter)
        changed = True
    return changed


FUNCTION_ENTRY_MARKER = '/script/blueprintgraph.k2node_functionentry'


def pasted_graph_names(request):
    """Names of the graphs the request gives as copy-paste text, split into (function graphs, event graph pages).

    A text that holds a function entry node is a function graph; any other text is pasted into
    an event graph page, so a page the Blueprint lacks has to be made for it.
    """
    functions, pages = [], []
    graphs = request.get('graphs')
    for name, graph in (graphs.items() if isinstance(graphs, dict) else []):
        if isinstance(graph, str) and graph:
            (functions if FUNCTION_ENTRY_MARKER in graph.lower() else pages).append(name)
    return functions, pages


def function_entries(request):
    """(name, entry) per function the request names, with its signature when it gives one."""
    entries = {}
    for item in request.get('functions') if isinstance(request.get('functions'), list) else []:
        name = item.get('name') if isinstance(item, dict) else item
        if isinstance(name, str):
            entries.setdefault(name, item if isinstance(item, dict) else {})
    for name in requested_graph_names(request, 'function') + pasted_graph_names(request)[0]:
        entries.setdefault(name, {})
    return entries


def event_graph_names(request, functions):
    """The event graph pages the request names, then the pasted graphs that are not functions, each once."""
    names = requested_graph_names(request, 'event')
    function_names = {name.lower() for name in functions}
    for name in pasted_graph_names(request)[1]:
        if name not in names and name.lower() not in function_names:
            names.append(name)
    return names


def deploy_functions(editor, blueprint, request):
    functions = function_entries(request)
    event_graphs = event_graph_names(request, functions)
    if not functions and not event_graphs:
        return skipped('the request names no functions')
    added, updated, failed, unchanged, pages = [], [], [], 0, []
    existing = {name.lower() for name in editor.get_graph_names(blueprint)}
    for name, entry in functions.items():
        try:
            inputs, outputs = parameter_list(editor, entry, 'inputs'), parameter_list(editor, entry, 'outputs')
            if name.lower() not in existing:
                editor.add_function_graph(blueprint, name, inputs=inputs, outputs=outputs)
                existing.add(name.lower())
                added.append(name)
                continue
            current_inputs, current_outputs = editor.get_function_parameters(blueprint, name)
            changed_inputs = update_parameters(editor, blueprint, name, inputs, current_inputs, False)
            changed_outputs = update_parameters(editor, blueprint, name, outputs, current_outputs, True)
            if changed_inputs or changed_outputs:
                updated.append(name)
            else:
                unchanged += 1
        except (DeployError, ValueError, TypeError) as error:
            failed.append(failure(name, str(error)))
    for name in event_graphs:
        if name.lower() in existing:
            continue
        try:
            editor.add_event_graph(blueprint, name)
            existing.add(name.lower())
            pages.append(name)
        except ValueError as error:
            failed.append(failure(name, str(error)))
    return step_report(added, updated, unchanged, failed, eventGraphsAdded=pages)


def compile_and_save(editor, blueprint):
    status = editor.compile_blueprint(blueprint)
    report = {'status': 'ok' if status in ('UpToDate', 'UpToDateWithWarnings') else 'error', 'blueprintStatus': status}
    errors = [text for severity, text in editor.get_compile_messages(blueprint) if severity == 'Error']
    if errors:
        report['errors'] = errors
    report['saved'] = bool(editor.save_asset(blueprint))
    return report


def finish(steps, **outcome):
    """The result object: every step's report in order (skipped when it did not run), then the outcome."""
    result = {step: steps.get(step, skipped(NO_BLUEPRINT if 'create' not in steps or steps['create']['status'] == 'error' else 'an earlier step failed'))
              for step in STEP_NAMES}
    result.update(outcome)
    return result


def deploy(editor, request):
    """The result object for one request."""
    steps = {}
    try:
        name = request.get('name')
        problem = asset_name_problem(name)
        if problem is not None:
            raise DeployError('Invalid Blueprint name: %s' % problem)
        folder = deploy_folder(request.get('path'))
        blueprint, created, steps['create'] = create_or_find(editor, request, folder, name)
    except DeployError as error:
        steps['create'] = {'status': 'error', 'error': str(error)}
        return finish(steps, success=False, error=str(error))
    names = {}
    plan = (
        ('variables', lambda: deploy_variables(editor, blueprint, request)),
        ('components', lambda: deploy_components(editor, blueprint, request, created, names)),
        ('componentProperties', lambda: deploy_component_properties(editor, blueprint, request, names)),
        ('functions', lambda: deploy_functions(editor, blueprint, request)),
        ('compile', lambda: compile_and_save(editor, blueprint)),
    )
    blueprint_path = blueprint.get_path_name()
    for step, action in plan:
        try:
            steps[step] = action()
        except Exception as error:
            steps[step] = {'status': 'error', 'error': '%s: %s' % (type(error).__name__, error)}
            return finish(steps, blueprintPath=blueprint_path, success=False, error='The %s step failed: %s' % (step, error))
    if not steps['compile']['saved']:
        return finish(steps, blueprintPath=blueprint_path, success=False, error='Could not save the Blueprint to %s' % blueprint_path)
    return finish(steps, blueprintPath=blueprint_path, success=True)


def run(payload_path, result_path):
    """Reads the request, deploys it and always writes a result, whatever goes wrong."""
    try:
        import editor
        with open(payload_path, encoding='utf-8') as payload:
            request = json.load(payload)
        if not isinstance(request, dict):
            raise DeployError('the request is not a JSON object')
        result = deploy(editor, request)
    except Exception as error:
        result = {'success': False, 'error': 'Deploy script error: %s: %s' % (type(error).__name__, error)}
    with open(result_path, 'w', encoding='utf-8') as result_file:
        json.dump(result, result_file)


def restore_globals(namespace, saved):
    """Puts the namespace back as it was before the script ran."""
    for key in [key for key in namespace if key not in saved]:
        del namespace[key]
    namespace.update(saved)


if __name__ == '__main__':
    try:
        run(__kv_payload_path, __kv_result_path)
    finally:
        restore_globals(globals(), __kv_deploy_saved_globals)
