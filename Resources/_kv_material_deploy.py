# Creates or updates a Material from the desktop app's description (POST /korvane/material/deploy).
#
# The connector runs this script in the editor's __main__ with __kv_payload_path (the request
# body) and __kv_result_path set. The request has the shape of a material payload (name, path,
# materialSettings, scalarParameters, vectorParameters, textureParameters,
# staticSwitchParameters; a static switch entry carries no value and changes nothing) plus:
#   expressions:       [{"name", "class", "posX", "posY", "desc", "properties": {name: export text}}]
#   comments:          [{"name", "posX", "posY", "sizeX", "sizeY", "text"}]
#   connections:       [{"fromExpression", "fromOutput", "toExpression", "toInput"}]
#   resultConnections: [{"pin", "fromExpressionName", "fromOutputName"}]
# which is what _kv_material_enrich.py answers, so a Material read back through the enrich
# script and deployed under another name comes out equivalent.
#
# A Material already at the path is rebuilt: its expressions and comments are replaced by the
# request's. Nothing is changed before the whole request has been checked: an invalid name or
# folder, an asset of another class in the way, or an unknown expression class answers
# success false with the reason and leaves every asset as it was. Links and parameters that
# cannot be made are listed in `failures` and do not fail the deploy. The Material is
# recompiled and saved. The result: success, material (object path), created, expressions,
# comments, connections, resultConnections, settingsApplied, parametersApplied, failures,
# compileErrors, saved; or success false and error.
#
# The script leaves __main__ as it found it: every global it defines is removed (and any it
# replaced is restored) when it ends, and the result file is written whatever happens.

__kv_material_deploy_saved_globals = dict(globals())

import json

DEFAULT_FOLDER = '/Game/Materials'
CONTENT_ROOT = '/Game'
REFUSED_NAME_CHARACTERS = '\\:*?"<>|\' ,.&!~@#/'
MATERIAL_CLASS = '/Script/Engine.Material'
EXPRESSION_CLASS = '/Script/Engine.MaterialExpression'
COMMENT_CLASS = '/Script/Engine.MaterialExpressionComment'

class DeployError(Exception):
    """A request the script cannot work with; its text becomes the result's error."""


def name_problem(name, what='name'):
    """Why a text cannot be an asset or object name, or None when it can."""
    if not isinstance(name, str) or not name:
        return 'the %s is empty' % what
    for character in name:
        if character in REFUSED_NAME_CHARACTERS or ord(character) < 0x20 or ord(character) == 0x7f:
            return 'the %s %r holds the character %r, which names cannot hold' % (what, name, character)
    return None


def deploy_folder(path):
    """The content folder the request's path names, under /Game."""
    folder = DEFAULT_FOLDER if path is None else path
    if not isinstance(folder, str):
        raise DeployError('path must be a string')
    folder = folder.rstrip('/')
    if folder != CONTENT_ROOT and not folder.startswith(CONTENT_ROOT + '/'):
        raise DeployError("Materials are deployed under %s, not to '%s'" % (CONTENT_ROOT, path))
    for segment in folder.split('/')[1:]:
        if name_problem(segment) is not None:
            raise DeployError("'%s' is not a valid content folder" % path)
    return folder


def entries(request, key):
    """The request's list under key (empty when absent); only objects count."""
    listed = request.get(key)
    if listed is None:
        return []
    if not isinstance(listed, list):
        raise DeployError("'%s' must be an array" % key)
    return [entry for entry in listed if isinstance(entry, dict)]


def number(entry, key):
    value = entry.get(key, 0)
    return int(value) if isinstance(value, (int, float)) and not isinstance(value, bool) else 0


def checked_expressions(editor, request):
    """The expression entries with their classes, or DeployError naming the first that cannot be made."""
    expression_base = editor.find_class(EXPRESSION_CLASS)
    checked = []
    names = set()
    for entry in entries(request, 'expressions'):
        class_path = entry.get('class')
        found = editor.find_class(class_path) if isinstance(class_path, str) and class_path else None
        if found is None or not found.is_child_of(expression_base) or found.is_abstract():
            raise DeployError("Unknown material expression class '%s'" % class_path)
        name = entry.get('name')
        if name is not None:
            problem = name_problem(name, 'expression name')
            if problem is not None:
                raise DeployError(problem)
            if name in names:
                raise DeployError("The expression name '%s' is used twice" % name)
            names.add(name)
        properties = entry.get('properties', {})
        if not isinstance(properties, dict) or not all(isinstance(text, str) for text in properties.values()):
            raise DeployError("The properties of expression '%s' must be export texts" % name)
        checked.append((entry, found))
    return checked


def existing_material(editor, object_path):
    """The Material already at the path, None when there is none, DeployError for another asset."""
    if not editor.does_asset_exist(object_path):
        return None
    asset = editor.load_asset(object_path)
    if asset is None or not asset.is_a(MATERIAL_CLASS):
        class_name = asset.get_class().get_name() if asset is not None else 'unknown class'
        raise DeployError('An asset of class %s is already at %s' % (class_name, object_path))
    return asset


def apply_settings(editor, material, settings, failures):
    """Applies the material settings the editor understands; the others are listed as failures."""
    if not isinstance(settings, dict):
        return 0
    applied, refused = editor.set_material_settings(material, settings)
    for key in refused:
        failures.append({'setting': key, 'error': "Unknown value %r" % (settings[key],)})
    return applied


def build_expressions(editor, material, checked, failures):
    """Makes every expression, then sets their properties, which may name one another (a named reroute's declaration)."""
    made = {}
    for entry, expression_class in checked:
        expression = editor.create_material_expression(
            material, expression_class, number(entry, 'posX'), number(entry, 'posY'), entry.get('name'))
        made[entry.get('name') or expression.get_name()] = expression
    for (entry, _expression_class), expression in zip(checked, made.values()):
        for property_name, text in entry.get('properties', {}).items():
            if not editor.set_expression_property(expression, property_name, text):
                failures.append({'expression': expression.get_name(), 'property': property_name,
                                 'error': 'The expression has no such property'})
        if isinstance(entry.get('desc'), str):
            editor.set_expression_description(expression, entry['desc'])
    return made


def build_comments(editor, material, request):
    count = 0
    for entry in entries(request, 'comments'):
        comment = editor.create_material_expression(
            material, COMMENT_CLASS, number(entry, 'posX'), number(entry, 'posY'), entry.get('name'))
        for property_name in ('SizeX', 'SizeY'):
            key = 'size' + property_name[-1]
            if key in entry:
                editor.set_expression_property(comment, property_name, str(number(entry, key)))
        if isinstance(entry.get('text'), str):
            editor.set_expression_description(comment, entry['text'], 'Text')
        count += 1
    return count


def connect_expressions(editor, made, request, failures):
    count = 0
    for entry in entries(request, 'connections'):
        source, target = made.get(entry.get('fromExpression')), made.get(entry.get('toExpression'))
        if source is None or target is None:
            failures.append({'connection': entry, 'error': 'Expression not found'})
        elif editor.connect_material_expressions(source, entry.get('fromOutput') or '', target, entry.get('toInput') or ''):
            count += 1
        else:
            failures.append({'connection': entry, 'error': 'The output or input does not exist'})
    return count


def connect_results(editor, material, made, request, failures):
    count = 0
    for entry in entries(request, 'resultConnections'):
        source = made.get(entry.get('fromExpressionName'))
        pin = entry.get('pin')
        if source is None:
            failures.append({'resultConnection': entry, 'error': 'Expression not found'})
        elif isinstance(pin, str) and editor.connect_material_property(source, entry.get('fromOutputName') or '', pin):
            count += 1
        else:
            failures.append({'resultConnection': entry, 'error': 'Unknown material property or output'})
    return count


def apply_parameters(editor, material, request, failures):
    """Sets each listed parameter's default on the Material's parameter expression of that name."""
    count = 0
    for key, kind, value_key in (('scalarParameters', 'scalar', 'value'), ('vectorParameters', 'vector', 'value'),
                                 ('textureParameters', 'texture', 'texturePath')):
        for entry in entries(request, key):
            if value_key not in entry:
                continue
            if editor.set_parameter_default(material, kind, entry.get('name'), entry[value_key]):
                count += 1
            else:
                failures.append({'parameter': entry.get('name'), 'kind': kind, 'error': 'No such parameter in the material'})
    return count


def deploy(editor, request):
    name = request.get('name')
    problem = name_problem(name)
    if problem is not None:
        raise DeployError('Invalid material name: %s' % problem)
    folder = deploy_folder(request.get('path'))
    object_path = '%s/%s.%s' % (folder, name, name)
    checked = checked_expressions(editor, request)
    material = existing_material(editor, object_path)
    created = material is None
    if created:
        material = editor.create_material(folder, name)
    else:
        editor.clear_material(material)
    failures = []
    result = {'success': True, 'material': material.get_path_name(), 'created': created}
    made = build_expressions(editor, material, checked, failures)
    result['expressions'] = len(made)
    result['comments'] = build_comments(editor, material, request)
    result['settingsApplied'] = apply_settings(editor, material, request.get('materialSettings'), failures)
    result['connections'] = connect_expressions(editor, made, request, failures)
    result['resultConnections'] = connect_results(editor, material, made, request, failures)
    result['parametersApplied'] = apply_parameters(editor, material, request, failures)
    result['failures'] = failures
    result['compileErrors'] = editor.recompile_material(material)
    result['saved'] = editor.save_asset(material)
    if not result['saved']:
        result['success'] = False
        result['error'] = 'Could not save the Material to %s' % material.get_path_name()
    return result


def run(payload_path, result_path):
    """Reads the request, deploys it and always writes a result, whatever goes wrong."""
    try:
        import editor
        with open(payload_path, encoding='utf-8') as payload:
            request = json.load(payload)
        if not isinstance(request, dict):
            raise DeployError('the request is not a JSON object')
        result = deploy(editor, request)
    except DeployError as error:
        result = {'success': False, 'error': str(error)}
    except Exception as error:
        result = {'success': False, 'error': 'Material deploy script error: %s: %s' % (type(error).__name__, error)}
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
        restore_globals(globals(), __kv_material_deploy_saved_globals)
